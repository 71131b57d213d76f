// Configurations: saving and loading the settings, the list of named configurations.

#include "TForm1.h"

#include "ConfigFile.h"
#include "ConfigLocation.h"
#include "Dialogs.h"
#include "FormSurface.h"
#include "TPreviewThread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace markwell {

namespace {

const QString ConfigExtension = QStringLiteral(".config");

// A stored list code outside the list leaves the list without a selection.
void select(QComboBox *list, qint32 code)
{
    list->setCurrentIndex(code >= 0 && code < list->count() ? int(code) : -1);
}

} // namespace

TForm1::SaveOutcome TForm1::SaveConfig(const QString &path)
{
    const auto L = [this](const char *key) { return Language.GetText(QLatin1String(key)); };
    if (QFileInfo::exists(path) && path != StartupConfigPath &&
        !m_dialogs.askYesNo(this, L("Configuration") + u' ' + path + u' ' + L("LogExists"), L("FileExists")))
        return SaveOutcome::Declined;

    // Written beside the old file and renamed over it: a failed write never costs the
    // configuration that was there.
    QString error;
    if (!writeConfigFile(path, currentSettings(), &error)) {
        m_dialogs.showMessage(this, L("Configuration") + u' ' + path + u' ' + L("LogCouldntBeSaved") + u'\n' + error,
                              MessageKind::Error);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

void TForm1::LoadConfig(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        ApplyLanguage(path);
        return;
    }
    const ConfigFileResult config = readConfigFile(path);
    if (config.status == ConfigFileStatus::Unreadable) {
        m_dialogs.showMessage(this,
                              Language.GetText(QStringLiteral("Configuration")) + u' ' + path + u' ' +
                                  Language.GetText(QStringLiteral("LogCouldntBeLoaded")) + u'\n' + config.errorText,
                              MessageKind::Error);
        return;
    }
    if (!config.ok()) {
        m_dialogs.showMessage(this, QStringLiteral("Invalid config file!"), MessageKind::Error);
        return;
    }

    const StampSettings &s = config.settings;
    select(lstMarkType, qint32(s.markType));
    lstMarkTypeChange();
    txtMark->setText(s.markImagePath);
    Edit1->setText(s.markText);
    setMarkFont(s.markFont);
    select(lstMarkPosType, qint32(s.positionType));
    lstMarkPosTypeChange();
    txtXOffset->setText(s.xOffsetText);
    txtYOffset->setText(s.yOffsetText);
    select(lstXOffset, qint32(s.xOffsetFrom));
    select(lstYOffset, qint32(s.yOffsetFrom));
    lblMark->move(s.markLeft, s.markTop);
    (s.destMode == DestMode::Custom ? radCustomDir : radOrigDir)->setChecked(true);
    txtDestFolder->setText(s.customFolder);
    (s.ifExists == IfExists::Overwrite ? radFEOverwrite
     : s.ifExists == IfExists::Skip    ? radFESkip
                                       : radFEAsk)
        ->setChecked(true);
    pcOutputSettings->setCurrentIndex(int(s.outputPage));
    select(lstOutputFormat, qint32(s.outputFormat));
    tbQuality->setValue(s.jpegQuality);

    ApplyLanguage(s.languageFile);
    // A configuration that differs only in the stamp font renders a new preview too.
    if (m_previewThread)
        m_previewThread->setForceRefresh();
    m_surface->update();
}

void TForm1::FillConfigList()
{
    const QStringList names =
        QDir(ConfigDir).entryList({QStringLiteral("*") + ConfigExtension},
                                  QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        if (name != StartupConfigName)
            lstConfigs->addItem(name.chopped(ConfigExtension.size()));
    }
}

void TForm1::btnSaveConfigClick()
{
    const QString name = lstConfigs->currentText();
    if (name.isEmpty()) {
        m_dialogs.showMessage(this, Language.GetText(QStringLiteral("EnterName")),
                              Language.GetText(QStringLiteral("Configuration")), MessageKind::Information);
        return;
    }
    if (SaveConfig(ConfigDir + name + ConfigExtension) == SaveOutcome::Failed)
        return;
    const QSignalBlocker blocker(lstConfigs);
    lstConfigs->addItem(name);
    lstConfigs->setEditText(name);
}

void TForm1::lstConfigsChange()
{
    LoadConfig(ConfigDir + lstConfigs->currentText() + ConfigExtension);
}

void TForm1::completeConfigName(const QString &typed)
{
    // The first entry that starts with the typed text completes it, the rest highlighted;
    // landing on another entry than the selected one selects and loads it.
    if (typed.isEmpty())
        return;
    for (int i = 0; i < lstConfigs->count(); ++i) {
        const QString entry = lstConfigs->itemText(i);
        if (!entry.startsWith(typed, Qt::CaseInsensitive))
            continue;
        const bool other = i != lstConfigs->currentIndex();
        {
            const QSignalBlocker blocker(lstConfigs);
            lstConfigs->setCurrentIndex(i);
        }
        lstConfigs->lineEdit()->setText(entry);
        lstConfigs->lineEdit()->setSelection(int(typed.size()), int(entry.size() - typed.size()));
        if (other)
            lstConfigsChange();
        return;
    }
}

} // namespace markwell
