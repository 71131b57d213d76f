#include "BatchRun.h"
#include "TForm1.h"
#include "TPreviewThread.h"
#include "TStripedListBox.h"
#include "TaTagButton.h"
#include "TestDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace markwell;
using markwell::test::TestDialogs;

class TestTForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void constructionResults();
    void anchorsFollowTheWindowSize();
    void fileListCommands();
    void shortcuts();
    void proceedStampsTheListedFiles();
    void proceedAsksAndCancels();
    void closingDuringARunWaitsForIt();
    void previewFollowsTheSettings();
    void destroyedDuringARender();
    void previewRestsDuringARun();
    void panelHandlers();
    void draggingTheMarker();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<TForm1> makeForm(const QStringList &commandLine = {});
    void writeImage(const QString &name, QSize size);

    std::unique_ptr<QTemporaryDir> m_dir;
    TestDialogs m_dialogs;
};

void TestTForm1::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QDir(m_dir->path()).mkpath("program/languages");
    QVERIFY(QFile::copy(QStringLiteral(MARKWELL_SOURCE_DIR "/languages/english.ini"),
                        path("program/languages/english.ini")));
    m_dialogs = TestDialogs();
}

void TestTForm1::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<TForm1> TestTForm1::makeForm(const QStringList &commandLine)
{
    auto form = std::make_unique<TForm1>(path("program"), m_dialogs, commandLine);
    form->show();
    return form;
}

void TestTForm1::writeImage(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QVERIFY(image.save(path(name)));
}

void TestTForm1::constructionResults()
{
    const QStringList commandLine = {"/photos/short.jpg", "/photos/a much longer path/with & in it.txt"};
    auto form = makeForm(commandLine);

    QCOMPARE(form->windowTitle(), QStringLiteral("Orbisoft Markwell"));
    QCOMPARE(form->centralWidget()->size(), QSize(760, 469));
    QCOMPARE(form->minimumSize(), form->size());
    QCOMPARE(form->AppDir, path("program") + "/");
    QCOMPARE(form->LanguagesDir, path("program/languages/"));
    QCOMPARE(form->StartupConfigPath, path("program/startup.config"));
    QCOMPARE(form->PreviewFilePath, path("program/markwell_preview.bmp"));

    QCOMPARE(form->lstLog->count(), 1);
    QVERIFY(form->lstLog->itemText(0).endsWith("] Markwell started, version 1.5"));
    QCOMPARE(form->lstLog->currentIndex(), 0);

    QCOMPARE(form->lstFiles->items(), commandLine);
    const QFontMetrics metrics(form->lstFiles->font());
    QCOMPARE(form->lstFiles->ScrollWidth(), metrics.horizontalAdvance(commandLine[1]) + 8);

    // The built-in state of the settings controls.
    const StampSettings settings = form->currentSettings();
    StampSettings expected;
    expected.markFont.face = settings.markFont.face;
    expected.languageFile = path("program/languages/english.ini");
    QCOMPARE(settings, expected);
    QVERIFY(form->pnlPicMark->isVisible());
    QVERIFY(!form->pnlTextMark->isVisible());
    QVERIFY(form->pnlRelPos->isVisible());
    QVERIFY(form->chkSnap->isVisible());
    QVERIFY(!form->pnlAbsPos->isVisible());
}

void TestTForm1::anchorsFollowTheWindowSize()
{
    auto form = makeForm();
    const QRect files = form->lstFiles->geometry();
    const QRect log = form->lstLog->geometry();
    const QRect proceed = form->btnProceed->geometry();
    QCOMPARE(files, QRect(8, 32, 297, 374));
    QCOMPARE(proceed, QRect(680, 440, 75, 25)); // anchored top and right: only moves across

    form->resize(form->width() + 100, form->height() + 50);
    QTRY_COMPARE(form->centralWidget()->width(), 860);
    QCOMPARE(form->lstFiles->geometry(), files.adjusted(0, 0, 100, 50));
    QCOMPARE(form->lstLog->geometry(), log.adjusted(0, 50, 100, 50));
    QCOMPARE(form->btnProceed->geometry(), proceed.translated(100, 0));

    // Never smaller than at start.
    form->resize(100, 100);
    QCOMPARE(form->size(), form->minimumSize());
}

void TestTForm1::fileListCommands()
{
    auto form = makeForm();
    m_dialogs.filesToOpen = {{"/a/one.jpg", "/a/two.txt"}, {"/a/one.jpg"}};

    form->btnAddFiles->clicked();
    QCOMPARE(m_dialogs.filesToOpenFilters.first(),
             QStringLiteral("All supported (*.bmp *.jpg *.jpeg *.tif *.png *.tga *.psd)"));
    form->AddFiles->trigger();
    form->AddFiles->trigger(); // cancelled: nothing changes
    QCOMPARE(form->lstFiles->items(), (QStringList{"/a/one.jpg", "/a/two.txt", "/a/one.jpg"}));
    const int widest = form->lstFiles->ScrollWidth();
    QVERIFY(widest > 8);

    form->lstFiles->item(0)->setSelected(true);
    form->lstFiles->item(2)->setSelected(true);
    form->RemFiles->trigger();
    QCOMPARE(form->lstFiles->items(), QStringList{"/a/two.txt"});
    QCOMPARE(form->lstFiles->ScrollWidth(), widest);

    form->btnClearFiles->clicked();
    QCOMPARE(form->lstFiles->count(), 0);
    QCOMPARE(form->lstFiles->ScrollWidth(), 0);
}

void TestTForm1::shortcuts()
{
    auto form = makeForm();
    QCOMPARE(form->AddFiles->shortcut(), QKeySequence("Ctrl+B"));
    QCOMPARE(form->RemFiles->shortcut(), QKeySequence("Ctrl+R"));
    QCOMPARE(form->ClearList->shortcut(), QKeySequence("Ctrl+G"));
    QCOMPARE(form->HelpContents1->shortcut(), QKeySequence("F1"));
    QCOMPARE(form->HelpIndex->shortcut(), QKeySequence("Shift+F1"));
    QCOMPARE(form->HelpTutorials->shortcut(), QKeySequence("Ctrl+F1"));
    QCOMPARE(form->PopupMenu1->actions(), (QList<QAction *>{form->AddFiles, form->RemFiles, form->ClearList}));
}

void TestTForm1::proceedStampsTheListedFiles()
{
    writeImage("stamp.png", QSize(4, 3));
    writeImage("a.png", QSize(30, 20));
    auto form = makeForm({path("a.png"), path("missing.png")});

    form->btnProceed->click();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("Please choose a stamp picture first."));
    QCOMPARE(form->lstLog->count(), 1);

    form->txtMark->setText(path("stamp.png"));
    form->Proceed1->trigger();
    QVERIFY(QFile::exists(path("stamped_a.png")));
    QCOMPARE(form->lstLog->count(), 3);
    QVERIFY(form->lstLog->itemText(1).endsWith("File " + path("missing.png") + " does not exist."));
    QVERIFY(form->lstLog->itemText(2).endsWith("Finished: saved 1 of 2."));
    QCOMPARE(form->lstLog->currentIndex(), 2);
    QCOMPARE(form->ProgressBar->value(), 0);
    QCOMPARE(form->btnProceed->text(), QStringLiteral("Proceed"));
    QVERIFY(form->btnProceed->isEnabled());
}

void TestTForm1::proceedAsksAndCancels()
{
    writeImage("stamp.png", QSize(4, 3));
    for (const QString &name : QStringList{"a.png", "b.png", "c.png"})
        writeImage(name, QSize(30, 20));
    writeImage("stamped_a.png", QSize(5, 5));
    auto form = makeForm({path("a.png"), path("b.png"), path("c.png")});
    form->txtMark->setText(path("stamp.png"));

    // While the question is open the user presses the button again: that cancels.
    bool cancelShown = false;
    m_dialogs.answers = {true};
    m_dialogs.onQuestion = [&] {
        QCOMPARE(form->btnProceed->text(), QStringLiteral("Cancel"));
        form->btnProceed->click();
        cancelShown = !form->btnProceed->isEnabled();
    };
    form->btnProceed->click();

    QVERIFY(cancelShown);
    QCOMPARE(m_dialogs.questions,
             QStringList{"File exists|File " + path("stamped_a.png") + " already exists. Replace it?"});
    QCOMPARE(QImage(path("stamped_a.png")).size(), QSize(5, 5)); // cancelled before the save
    QVERIFY(!QFile::exists(path("stamped_b.png")));
    QVERIFY(form->lstLog->itemText(form->lstLog->count() - 1).endsWith("Finished: saved 0 of 3."));
    QCOMPARE(form->btnProceed->text(), QStringLiteral("Proceed"));
    QVERIFY(form->btnProceed->isEnabled());
    QVERIFY(!form->batchRun().busy());
}

void TestTForm1::closingDuringARunWaitsForIt()
{
    writeImage("stamp.png", QSize(4, 3));
    writeImage("a.png", QSize(30, 20));
    writeImage("stamped_a.png", QSize(5, 5));
    auto form = makeForm({path("a.png"), path("a.png")});
    form->txtMark->setText(path("stamp.png"));

    m_dialogs.answers = {true};
    m_dialogs.onQuestion = [&] {
        QVERIFY(!form->close()); // the run is on the stack: the window stays for now
        QVERIFY(form->isVisible());
    };
    form->btnProceed->click();
    QVERIFY(!form->isVisible());
    QVERIFY(!form->batchRun().busy());
}

void TestTForm1::previewFollowsTheSettings()
{
    writeImage("stamp.png", QSize(40, 20));
    writeImage("a.png", QSize(400, 200));
    auto form = makeForm({path("a.png")});
    form->PreviewThread()->Interval = 20;

    // No stamp picture yet: nothing renders and no message is shown.
    QTest::qWait(100);
    QVERIFY(form->Image1->pixmap().isNull());
    QVERIFY(m_dialogs.messages.isEmpty());

    form->txtMark->setText(path("stamp.png"));
    QTRY_VERIFY(!form->Image1->pixmap().isNull());
    QCOMPARE(form->Image1->pixmap().size(), QSize(214, 107));

    // A non-integer absolute offset: the message once, and the old picture stays.
    form->lstMarkPosType->setCurrentIndex(0);
    form->lstMarkPosTypeChange();
    form->txtXOffset->setText("x");
    QTRY_COMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("The stamp offsets must be whole numbers."));
    QCOMPARE(m_dialogs.messages[0].kind, MessageKind::Error);
    QTest::qWait(100);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(!form->Image1->pixmap().isNull());
    QVERIFY(!QFile::exists(form->PreviewFilePath));
}

void TestTForm1::destroyedDuringARender()
{
    // A large item keeps the thread rendering while the window goes away.
    QImage big(3000, 3000, QImage::Format_RGB888);
    big.fill(Qt::darkGreen);
    QVERIFY(big.save(path("big.png")));
    writeImage("stamp.png", QSize(40, 20));
    auto form = makeForm({path("big.png")});
    form->PreviewThread()->Interval = 1;
    form->txtMark->setText(path("stamp.png"));
    QTest::qWait(80); // the capture is served and the render of the large item begins
    form.reset();
    QCoreApplication::processEvents(); // a picture queued for the gone window is dropped
}

void TestTForm1::previewRestsDuringARun()
{
    writeImage("stamp.png", QSize(40, 20));
    writeImage("a.png", QSize(400, 200));
    writeImage("stamped_a.png", QSize(5, 5));
    auto form = makeForm({path("a.png")});
    form->PreviewThread()->Interval = 1;
    form->txtMark->setText(path("stamp.png"));
    QTRY_COMPARE(form->PreviewThread()->renderCount(), 1);

    // The run starts at once, even if a render holds the image library; while it runs,
    // a change of a watched value renders nothing, and the change is rendered after it.
    int duringRun = -1;
    m_dialogs.answers = {true};
    m_dialogs.onQuestion = [&] {
        form->Edit1->setText("changed");
        QTest::qWait(150);
        duringRun = form->PreviewThread()->renderCount();
    };
    form->btnProceed->click();
    QCOMPARE(duringRun, 1);
    QVERIFY(form->lstLog->currentText().endsWith("Finished: saved 1 of 1."));
    QTRY_COMPARE(form->PreviewThread()->renderCount(), 2);
}

void TestTForm1::panelHandlers()
{
    auto form = makeForm();
    form->lstMarkType->setCurrentIndex(1);
    form->lstMarkTypeChange();
    QVERIFY(form->pnlTextMark->isVisible());
    QVERIFY(!form->pnlPicMark->isVisible());

    form->Edit1->setText("Hello & <b>bold</b>");
    QCOMPARE(form->lblFontSample->text(), QStringLiteral("Hello & <b>bold</b>"));
    QCOMPARE(form->lblFontSample->textFormat(), Qt::PlainText);

    form->tbQuality->setValue(0);
    QCOMPARE(form->lblQuality->text(), QStringLiteral("0"));

    // Choosing a folder also picks the custom destination; cancelling changes nothing.
    m_dialogs.folders = {path("out"), QString()};
    form->btnSetDir->clicked();
    QCOMPARE(form->txtDestFolder->text(), path("out"));
    QVERIFY(form->radCustomDir->isChecked());
    form->radOrigDir->setChecked(true);
    form->btnSetDir->clicked();
    QVERIFY(form->radOrigDir->isChecked());

    m_dialogs.fileToOpen = {path("stamp.png")};
    form->btnSetMark->clicked();
    QCOMPARE(form->txtMark->text(), path("stamp.png"));

    // A confirmed font: red text on its complement, cyan.
    QFont chosen("DejaVu Sans");
    chosen.setPointSize(30);
    chosen.setItalic(true);
    m_dialogs.fonts = {FontChoice{chosen, 0x0000FF}, std::nullopt};
    form->btnSetFont->click();
    StampFont font = form->markFont();
    QCOMPARE(font.face, QStringLiteral("DejaVu Sans"));
    QCOMPARE(font.pointSize, 30);
    QVERIFY(font.italic && !font.bold);
    QCOMPARE(font.color, 0x0000FFu);
    QCOMPARE(form->lblFontSample->palette().color(QPalette::Window), QColor(0, 255, 255));
    QCOMPARE(form->lblFontSample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    form->btnSetFont->click(); // cancelled
    QCOMPARE(form->markFont(), font);

    form->chkSnap->click();
    QCOMPARE(form->SnapDistance, 0);
    form->chkSnap->click();
    QCOMPARE(form->SnapDistance, 10);
}

void TestTForm1::draggingTheMarker()
{
    auto form = makeForm();
    QLabel *marker = form->lblMark;
    const QSize size = marker->size();
    // Drag with the right button from the marker's corner far to the bottom right.
    QTest::mousePress(marker, Qt::RightButton, {}, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(500, 500), marker->mapToGlobal(QPointF(500, 500)), Qt::NoButton,
                     Qt::RightButton, {});
    QCoreApplication::sendEvent(marker, &move);
    QCOMPARE(marker->pos(), QPoint(8 + 200 - size.width() - 1, 8 + 200 - size.height() - 1));
    QTest::mouseRelease(marker, Qt::RightButton, {}, QPoint(2, 2));
    QVERIFY(!form->Dragging);

    // Released: moves no longer drag.
    QMouseEvent idle(QEvent::MouseMove, QPointF(-300, -300), marker->mapToGlobal(QPointF(-300, -300)), Qt::NoButton,
                     Qt::NoButton, {});
    QCoreApplication::sendEvent(marker, &idle);
    QCOMPARE(form->currentSettings().markLeft, 8 + 200 - size.width() - 1);
}

QTEST_MAIN(TestTForm1)
#include "tst_TForm1.moc"
