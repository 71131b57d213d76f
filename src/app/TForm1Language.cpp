// Applying a language to the window, the Language menu, help and contact.

#include "TForm1.h"

#include "Dialogs.h"
#include "FormSurface.h"
#include "MarkerSize.h"
#include "TAboutBox.h"
#include "TaTagButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QUrl>

namespace markwell {

namespace {

const QString SupportAddress = QStringLiteral("support@markwell.example");

// A hint shows the caption of its command without the shortcut marker, also where
// the marker stands apart after the words, as in "添加文件(&A)".
QString withoutMnemonic(QString caption)
{
    static const QRegularExpression trailingMarker(QStringLiteral("\\s*\\(&[^)]\\)"));
    caption.remove(trailingMarker);
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

// Texts from language files are shown as written, even when they look like markup.
QString plainToolTip(const QString &text)
{
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

void relabel(QComboBox *list, const QString &first, const QString &second)
{
    const int selected = list->currentIndex();
    list->setItemText(0, first);
    list->setItemText(1, second);
    list->setCurrentIndex(selected);
}

} // namespace

void TForm1::ApplyLanguage(const QString &path)
{
    const QFileInfo info(path);
    const QString file = info.exists() && !info.isDir() ? path : LanguagesDir + QStringLiteral("english.ini");
    LanguageFile = file;
    Language.Load(file);
    const auto L = [this](const char *key) { return Language.GetText(QLatin1String(key)); };

    mnuFile->setTitle(L("mnuFile"));
    btnProceed->setText(L("Proceed"));
    Proceed1->setText(L("Proceed"));
    FileExit->setText(L("Exit"));
    FileList1->setTitle(L("mnuFileList"));
    AddFiles->setText(L("AddFiles"));
    RemFiles->setText(L("RemFiles"));
    ClearList->setText(L("ClrFiles"));
    btnAddFiles->setToolTip(plainToolTip(withoutMnemonic(L("AddFiles"))));
    btnRemFiles->setToolTip(plainToolTip(withoutMnemonic(L("RemFiles"))));
    btnClearFiles->setToolTip(plainToolTip(withoutMnemonic(L("ClrFiles"))));
    mnuLanguages->setTitle(L("Languages"));
    mnuHelp->setTitle(L("Help"));
    HelpContents1->setText(L("Contents"));
    HelpIndex->setText(L("Index"));
    HelpTutorials->setText(L("Tutorials"));
    ContactOrbisoft1->setText(L("Contact"));
    HelpAbout->setText(L("About"));

    relabel(lstMarkType, L("Picture"), L("Text"));
    lstMarkTypeChange();
    Label4->setText(L("File"));
    Label5->setText(L("Text"));
    Label6->setText(L("Font"));
    btnSetFont->setText(L("Change"));
    relabel(lstMarkPosType, L("Absolute"), L("Relative"));
    lstMarkPosTypeChange();
    Label3->setText(L("PixelsFrom"));
    Label8->setText(L("PixelsFrom"));
    relabel(lstXOffset, L("Left"), L("Right"));
    relabel(lstYOffset, L("Top"), L("Bottom"));
    // The marker sizes itself to its caption, which changes its travel in the box.
    lblMark->setText(L("Stamp"));
    lblMark->resize(markerSize(lblMark->text()));
    Label11->setText(L("Configuration"));
    pcOutputSettings->setTabText(0, L("DestFolder"));
    radOrigDir->setText(L("Original"));
    radCustomDir->setText(L("Custom"));
    pcOutputSettings->setTabText(1, L("Reactions"));
    radFEOverwrite->setText(L("Overwrite"));
    radFESkip->setText(L("Skip"));
    radFEAsk->setText(L("Ask"));
    Label14->setText(L("IfDestFile"));
    pcOutputSettings->setTabText(2, L("FileFormat"));
    Label1->setText(L("FileFormat"));
    Label2->setText(L("JPEGQuality"));

    // The painted "Snap" caption ends where the built-in word ends, whatever its length.
    const QFontMetrics metrics(font());
    const int snapLeft = DesignMarkPosTypeLeft + 166 - metrics.horizontalAdvance(L("Snap")) +
                         metrics.horizontalAdvance(QStringLiteral("Snap"));
    m_layout.moveTo(chkSnap, QPoint(snapLeft, DesignSnapTop));
    layoutControls();
}

void TForm1::BuildLanguageMenu()
{
    LanguageFiles = TLanguage::FindLanguageFiles(LanguagesDir);
    for (int i = 0; i < LanguageFiles.size(); ++i) {
        auto *item = new QAction(TLanguage::ReadHeader(LanguageFiles[i]).Name, this);
        item->setProperty("Tag", i);
        connect(item, &QAction::triggered, this, [this, item] { LanguageMenuClick(item); });
        mnuLanguages->addAction(item);
    }
}

void TForm1::LanguageMenuClick(QObject *sender)
{
    if (!qobject_cast<QAction *>(sender))
        return;
    bool isNumber = false;
    const uint tag = sender->property("Tag").toUInt(&isNumber);
    if (isNumber && tag < uint(LanguageFiles.size()))
        ApplyLanguage(LanguageFiles[int(tag)]);
}

void TForm1::Contents1Click()
{
    m_dialogs.openUrl(QUrl::fromLocalFile(AppDir + QStringLiteral("help/index.html")));
}

void TForm1::HelpIndexExecute()
{
    m_dialogs.openUrl(QUrl::fromLocalFile(AppDir + QStringLiteral("help/keywords.html")));
}

void TForm1::HelpTutorialsExecute()
{
    m_dialogs.openUrl(QUrl::fromLocalFile(AppDir + QStringLiteral("help/qstart.html")));
}

void TForm1::ContactOrbisoft1Click()
{
    const QString subject = QStringLiteral("Markwell").replace(u' ', QStringLiteral("%20"));
    m_dialogs.openUrl(QUrl(QStringLiteral("mailto:") + SupportAddress + QStringLiteral("?subject=") + subject));
}

void TForm1::HelpAboutClick()
{
    if (!m_aboutBox)
        m_aboutBox = new TAboutBox(*this, this);
    m_aboutBox->exec();
}

} // namespace markwell
