#include "FormFixture.h"
#include "MarkerSize.h"
#include "TAboutBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using namespace markwell;
using markwell::test::FormFixture;

class TestTForm1Language : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_fixture.setUp()); }

    void shippedLanguagesKeepEverySetting_data();
    void shippedLanguagesKeepEverySetting();
    void widerWordsMoveTheSnapBoxAndResizeTheMarker();
    void fallbackAndMissingKeys();
    void languageMenu();
    void helpAndContact();
    void aboutBoxFollowsTheLanguage();

private:
    FormFixture m_fixture;
};

void TestTForm1Language::shippedLanguagesKeepEverySetting_data()
{
    QTest::addColumn<QString>("file");
    QDirIterator files(QStringLiteral(MARKWELL_SOURCE_DIR "/languages"), {"*.ini"}, QDir::Files);
    while (files.hasNext()) {
        const QString file = files.next();
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
}

void TestTForm1Language::shippedLanguagesKeepEverySetting()
{
    QFETCH(QString, file);
    auto form = m_fixture.makeForm();
    form->lstMarkType->setCurrentIndex(1);
    form->lstMarkTypeChange();
    form->lstMarkPosType->setCurrentIndex(0);
    form->lstMarkPosTypeChange();
    form->lstXOffset->setCurrentIndex(1);
    form->lstYOffset->setCurrentIndex(1);
    form->Edit1->setText("typed");
    StampSettings before = form->currentSettings();

    form->ApplyLanguage(file);
    StampSettings after = form->currentSettings();
    QCOMPARE(after.languageFile, file);
    after.languageFile = before.languageFile;
    QCOMPARE(after, before);
    QVERIFY(form->pnlTextMark->isVisible());
    QVERIFY(form->pnlAbsPos->isVisible());
    QVERIFY(!form->chkSnap->isVisible());

    const TLanguage &language = form->language();
    QCOMPARE(form->btnProceed->text(), language.GetText("Proceed"));
    QCOMPARE(form->lstXOffset->itemText(1), language.GetText("Right"));
    QCOMPARE(form->pcOutputSettings->tabText(2), language.GetText("FileFormat"));
    QCOMPARE(form->Label14->text(), language.GetText("IfDestFile"));
    QCOMPARE(form->lblMark->size(), markerSize(language.GetText("Stamp")));
}

void TestTForm1Language::widerWordsMoveTheSnapBoxAndResizeTheMarker()
{
    auto form = m_fixture.makeForm();
    const int builtInLeft = form->chkSnap->x();
    QCOMPARE(builtInLeft, form->lstMarkPosType->x() + 166);

    const QString wide = m_fixture.program("languages/wide.ini");
    m_fixture.writeFile(wide, "[language]\nid=Wide\n[general]\nSnap=Magnetically\nStamp=A longer marker\n"
                              "IfDestFile=<b>not bold</b>\n");
    form->ApplyLanguage(wide);
    const QFontMetrics metrics(form->font());
    QCOMPARE(form->chkSnap->x(),
             builtInLeft - (metrics.horizontalAdvance("Magnetically") - metrics.horizontalAdvance("Snap")));
    QCOMPARE(form->lblMark->size(), markerSize("A longer marker"));
    // Shown as written, never as markup.
    QCOMPARE(form->Label14->text(), QStringLiteral("<b>not bold</b>"));
    QCOMPARE(form->Label14->textFormat(), Qt::PlainText);

    // The box keeps its place when the window is resized.
    const int left = form->chkSnap->x();
    form->resize(form->width() + 40, form->height());
    QTRY_COMPARE(form->chkSnap->x(), left + 40);
}

void TestTForm1Language::fallbackAndMissingKeys()
{
    auto form = m_fixture.makeForm();
    form->ApplyLanguage(m_fixture.path("no/such/file.ini"));
    QCOMPARE(form->LanguageFile, m_fixture.program("languages/english.ini"));
    QCOMPARE(form->FileExit->text(), QStringLiteral("&Exit"));

    const QString partial = m_fixture.program("languages/partial.ini");
    m_fixture.writeFile(partial, "[general]\nProceed=Go\n");
    form->ApplyLanguage(partial);
    QCOMPARE(form->btnProceed->text(), QStringLiteral("Go"));
    QCOMPARE(form->FileExit->text(), QString());
    QCOMPARE(form->lstMarkType->itemText(0), QString());
    QCOMPARE(form->lstMarkType->currentIndex(), 0);
}

void TestTForm1Language::languageMenu()
{
    m_fixture.writeFile(m_fixture.program("languages/alpha.ini"), "[language]\nid=English\n[general]\nProceed=Alpha\n");
    QDir().mkpath(m_fixture.program("languages/folder.ini"));
    auto form = m_fixture.makeForm();

    const QList<QAction *> items = form->mnuLanguages->actions();
    QCOMPARE(form->LanguageFiles.size(), 3);
    QCOMPARE(items.size(), 3);
    QStringList captions;
    for (int i = 0; i < items.size(); ++i) {
        captions << items[i]->text();
        QCOMPARE(items[i]->property("Tag").toInt(), i);
        QVERIFY(!items[i]->isCheckable());
    }
    QCOMPARE(captions, (QStringList{"English", "English", ""}));

    items[0]->trigger();
    QCOMPARE(form->btnProceed->text(), QStringLiteral("Alpha"));
    items[2]->trigger(); // a folder: the default language applies
    QCOMPARE(form->LanguageFile, m_fixture.program("languages/english.ini"));

    QAction stray;
    stray.setProperty("Tag", 7);
    form->LanguageMenuClick(&stray);
    QObject notAnItem;
    notAnItem.setProperty("Tag", 0);
    form->LanguageMenuClick(&notAnItem);
    QCOMPARE(form->btnProceed->text(), QStringLiteral("Proceed"));
}

void TestTForm1Language::helpAndContact()
{
    auto form = m_fixture.makeForm();
    form->HelpContents1->trigger();
    form->HelpIndex->trigger();
    form->HelpTutorials->trigger();
    form->ContactOrbisoft1->trigger();
    QCOMPARE(m_fixture.dialogs.openedUrls, (QList<QUrl>{QUrl::fromLocalFile(m_fixture.program("help/index.html")),
                                                        QUrl::fromLocalFile(m_fixture.program("help/keywords.html")),
                                                        QUrl::fromLocalFile(m_fixture.program("help/qstart.html")),
                                                        QUrl("mailto:support@markwell.example?subject=Markwell")}));
}

void TestTForm1Language::aboutBoxFollowsTheLanguage()
{
    auto form = m_fixture.makeForm();
    const QString other = m_fixture.program("languages/other.ini");
    m_fixture.writeFile(other, "[general]\nShortDescription=Other words\nLicenseAgreement=Terms\n");
    form->ApplyLanguage(other);

    TAboutBox *box = nullptr;
    QTimer::singleShot(0, [&] {
        box = form->findChild<TAboutBox *>();
        if (box)
            box->OKButton->click();
    });
    form->HelpAboutClick();
    QVERIFY(box);
    QCOMPARE(box->Version->text(), QStringLiteral(" 1.5"));
    QCOMPARE(box->Comments->text(), QStringLiteral("Other words"));
    QCOMPARE(box->License->text(), QStringLiteral("Terms"));
    QCOMPARE(box->OKButton->x(), (298 - box->OKButton->width()) / 2);

    form->ApplyLanguage(m_fixture.program("languages/english.ini"));
    QTimer::singleShot(0, [&] { box->OKButton->click(); });
    form->HelpAboutClick();
    QCOMPARE(form->findChildren<TAboutBox *>().size(), 1); // made once, kept
    QCOMPARE(box->Version->text(), QStringLiteral("Version 1.5"));

    QTest::mouseClick(box->License, Qt::LeftButton);
    QCOMPARE(m_fixture.dialogs.openedUrls.last(), QUrl::fromLocalFile(m_fixture.program("license.txt")));
}

QTEST_MAIN(TestTForm1Language)
#include "tst_TForm1Language.moc"
