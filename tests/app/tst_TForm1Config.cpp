#include "ConfigCodec.h"
#include "FormFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

using namespace markwell;
using markwell::test::FormFixture;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets every control that a configuration holds away from its built-in state.
void changeEverything(TForm1 &form, const QString &folder)
{
    form.lstMarkType->setCurrentIndex(1);
    form.lstMarkTypeChange();
    form.txtMark->setText(folder + "/stamp.png");
    form.Edit1->setText(QStringLiteral("© Ünïcode"));
    StampFont font;
    font.face = QStringLiteral("DejaVu Serif");
    font.pointSize = 33;
    font.color = 0x123456;
    font.italic = true;
    font.strikeOut = true;
    form.setMarkFont(font);
    form.lstMarkPosType->setCurrentIndex(0);
    form.lstMarkPosTypeChange();
    form.txtXOffset->setText(QStringLiteral("$10"));
    form.txtYOffset->setText(QStringLiteral("-7"));
    form.lstXOffset->setCurrentIndex(1);
    form.lstYOffset->setCurrentIndex(1);
    form.lblMark->move(100, 120);
    form.radCustomDir->setChecked(true);
    form.txtDestFolder->setText(folder);
    form.radFESkip->setChecked(true);
    form.pcOutputSettings->setCurrentIndex(2);
    form.lstOutputFormat->setCurrentIndex(5);
    form.tbQuality->setValue(37);
}

} // namespace

class TestTForm1Config : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_fixture.setUp()); }

    void saveThenLoadRestoresEverything();
    void restartRestoresTheSettings();
    void savingNamedConfigurations();
    void saveFailureLosesNothing();
    void listingRules();
    void completionLoadsTheCompletedName();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();

private:
    FormFixture m_fixture;
};

void TestTForm1Config::saveThenLoadRestoresEverything()
{
    auto form = m_fixture.makeForm();
    changeEverything(*form, m_fixture.path("out"));
    const StampSettings changed = form->currentSettings();
    form->chkSnap->click(); // snapping is not part of a configuration

    form->lstConfigs->setEditText("mine");
    form->btnSaveConfigClick();
    // The file is exactly what the configuration format writes for these settings.
    QCOMPARE(readFile(m_fixture.program("mine.config")), encodeConfig(changed));

    auto fresh = m_fixture.makeForm();
    QCOMPARE(fresh->lstConfigs->itemText(0), QStringLiteral("mine"));
    fresh->lstConfigs->setCurrentIndex(0);
    fresh->lstConfigsChange();
    QCOMPARE(fresh->currentSettings(), changed);
    QVERIFY(fresh->pnlTextMark->isVisible());
    QVERIFY(fresh->pnlAbsPos->isVisible());
    QCOMPARE(fresh->lblQuality->text(), QStringLiteral("37"));
    QCOMPARE(fresh->lblFontSample->palette().color(QPalette::Window), QColor(0xFF - 0x56, 0xFF - 0x34, 0xFF - 0x12));
    QCOMPARE(fresh->SnapDistance, 10);
    QVERIFY(fresh->chkSnap->isChecked());
}

void TestTForm1Config::restartRestoresTheSettings()
{
    StampSettings changed;
    {
        auto form = m_fixture.makeForm();
        changeEverything(*form, m_fixture.path("out"));
        changed = form->currentSettings();
    }
    QVERIFY(QFile::exists(m_fixture.program("startup.config")));
    auto again = m_fixture.makeForm();
    QCOMPARE(again->currentSettings(), changed);
    QCOMPARE(again->lstConfigs->count(), 0);
}

void TestTForm1Config::savingNamedConfigurations()
{
    auto form = m_fixture.makeForm();

    form->lstConfigs->setEditText(QString());
    form->btnSaveConfigClick();
    QCOMPARE(m_fixture.dialogs.messages.size(), 1);
    QCOMPARE(m_fixture.dialogs.messages[0].text, QStringLiteral("Please enter a name for the configuration."));
    QCOMPARE(m_fixture.dialogs.messages[0].caption, QStringLiteral("Configuration"));

    // An existing file: asked, declined, the file is kept and the name listed anyway.
    m_fixture.writeFile(m_fixture.program("kept.config"), "old");
    form->lstConfigs->setEditText("kept");
    form->btnSaveConfigClick();
    QCOMPARE(m_fixture.dialogs.questions, QStringList{"File exists|Configuration " + m_fixture.program("kept.config") +
                                                      " already exists. Replace it?"});
    QCOMPARE(readFile(m_fixture.program("kept.config")), QByteArray("old"));
    QCOMPARE(form->lstConfigs->itemText(form->lstConfigs->count() - 1), QStringLiteral("kept"));
    QCOMPARE(form->lstConfigs->currentText(), QStringLiteral("kept"));

    // "startup" replaces the start-up configuration without a question.
    m_fixture.writeFile(m_fixture.program("startup.config"), "old");
    form->lstConfigs->setEditText("startup");
    form->btnSaveConfigClick();
    QCOMPARE(m_fixture.dialogs.questions.size(), 1);
    QCOMPARE(readFile(m_fixture.program("startup.config")), encodeConfig(form->currentSettings()));
    QCOMPARE(form->lstConfigs->count(), 2);
}

void TestTForm1Config::saveFailureLosesNothing()
{
    auto form = m_fixture.makeForm();
    form->lstConfigs->setEditText("no/such/folder/name");
    form->btnSaveConfigClick();
    QCOMPARE(m_fixture.dialogs.messages.size(), 1);
    QVERIFY(m_fixture.dialogs.messages[0].text.startsWith(
        "Configuration " + m_fixture.program("no/such/folder/name.config") + " could not be saved."));
    QCOMPARE(m_fixture.dialogs.messages[0].kind, MessageKind::Error);
    QCOMPARE(form->lstConfigs->count(), 0);
}

void TestTForm1Config::listingRules()
{
    for (const QString &name : QStringList{"b.config", "a.config", ".config", "STARTUP.CONFIG", "Upper.CONFIG",
                                           "startup.config", "notes.txt"})
        m_fixture.writeFile(m_fixture.program(name), "x");
    QDir().mkpath(m_fixture.program("folder.config"));
    m_fixture.dialogs.messages.clear();

    auto form = m_fixture.makeForm();
    QStringList listed;
    for (int i = 0; i < form->lstConfigs->count(); ++i)
        listed << form->lstConfigs->itemText(i);
    QCOMPARE(listed, (QStringList{"", "STARTUP", "Upper", "a", "b"}));
    // The start-up configuration here is not a configuration: said once, nothing else.
    QCOMPARE(m_fixture.dialogs.messages.size(), 1);
    QCOMPARE(m_fixture.dialogs.messages[0].text, QStringLiteral("Invalid config file!"));
}

void TestTForm1Config::completionLoadsTheCompletedName()
{
    {
        auto form = m_fixture.makeForm();
        form->tbQuality->setValue(11);
        form->lstConfigs->setEditText("Holiday");
        form->btnSaveConfigClick();
        form->tbQuality->setValue(22);
        form->lstConfigs->setEditText("Home");
        form->btnSaveConfigClick();
    }
    auto form = m_fixture.makeForm();
    form->lstConfigs->setCurrentIndex(-1);
    form->lstConfigs->lineEdit()->clear();
    form->lstConfigs->setFocus();
    QTest::keyClicks(form->lstConfigs->lineEdit(), "hol");
    QCOMPARE(form->lstConfigs->currentText(), QStringLiteral("Holiday"));
    QCOMPARE(form->lstConfigs->lineEdit()->selectedText(), QStringLiteral("iday"));
    QCOMPARE(form->tbQuality->value(), 11);

    // Saving right after saves under the completed name.
    form->tbQuality->setValue(33);
    form->btnSaveConfigClick();
    QCOMPARE(m_fixture.dialogs.questions.size(), 1);
    QVERIFY(m_fixture.dialogs.questions[0].contains("Holiday.config"));
}

void TestTForm1Config::badFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("contents");

    QByteArray valid = encodeConfig(StampSettings{});
    QTest::addRow("wrong magic") << QByteArray("NOTACONFIGFILE");
    QTest::addRow("shorter than the magic") << QByteArray("ORBIS");
    QTest::addRow("cut inside a number") << valid.left(10);
    QByteArray hugeLength = valid;
    hugeLength[12] = char(0xFF);
    hugeLength[15] = char(0x7F);
    QTest::addRow("string longer than the file") << hugeLength;
}

void TestTForm1Config::badFilesChangeNothing()
{
    QFETCH(QByteArray, contents);

    auto form = m_fixture.makeForm();
    changeEverything(*form, m_fixture.path("out"));
    const StampSettings before = form->currentSettings();
    m_fixture.writeFile(m_fixture.program("bad.config"), contents);

    form->LoadConfig(m_fixture.program("bad.config"));
    QCOMPARE(m_fixture.dialogs.messages.size(), 1);
    QCOMPARE(m_fixture.dialogs.messages[0].text, QStringLiteral("Invalid config file!"));
    QCOMPARE(m_fixture.dialogs.messages[0].kind, MessageKind::Error);
    QCOMPARE(form->currentSettings(), before);
}

QTEST_MAIN(TestTForm1Config)
#include "tst_TForm1Config.moc"
