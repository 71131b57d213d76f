#include "BatchRun.h"
#include "ImageOps.h"
#include "RunChecks.h"
#include "TLanguage.h"
#include "TestBatchHost.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace markwell;
using markwell::test::TestBatchHost;

namespace {

const QColor Background(255, 255, 255);
const QColor StampColour(255, 0, 0);

void writeImage(const QString &path, QSize size, QColor colour, const char *format = nullptr)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    QVERIFY(image.save(path, format));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bounding box of the pixels that are not the background.
QRect changedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Background)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

} // namespace

class TestBatchRun : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void checksBeforeRun_data();
    void checksBeforeRun();
    void refusedRunShowsMessageOnly();
    void pictureRunPlacesStampAndLogs();
    void relativePlacement();
    void reactionToExistingDestination_data();
    void reactionToExistingDestination();
    void fileListedTwiceIsAskedAbout();
    void cancelAtYieldPoint();
    void listShrinkingDuringRun();
    void markTypeChangeDuringRunKeepsStartType();
    void unloadableSourcesAreLogged();
    void stampPictureThatDoesNotLoad();
    void destinationThatCannotBeWritten();
    void outputFormats_data();
    void outputFormats();
    void jpegQualityTakesEffect();
    void textStampIsDrawnWhereMeasured();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    RunResult run(TestBatchHost &host) { return BatchRun(host, m_language).btnProceedClick(); }
    TestBatchHost pictureHost();

    std::unique_ptr<QTemporaryDir> m_dir;
    TLanguage m_language;
};

void TestBatchRun::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_language.Load(QStringLiteral(MARKWELL_SOURCE_DIR "/languages/english.ini"));
    writeImage(path("stamp.png"), QSize(4, 3), StampColour);
}

TestBatchHost TestBatchRun::pictureHost()
{
    TestBatchHost host;
    host.settings.markImagePath = path("stamp.png");
    host.settings.positionType = PositionType::Absolute;
    host.settings.xOffsetText = QStringLiteral("2");
    host.settings.yOffsetText = QStringLiteral("1");
    host.settings.ifExists = IfExists::Overwrite;
    host.settings.outputFormat = OutputFormat::Png;
    return host;
}

void TestBatchRun::checksBeforeRun_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<StampSettings>("settings");
    QTest::addColumn<QString>("key");
    QTest::addColumn<MessageIcon>("icon");

    StampSettings everythingWrong;
    everythingWrong.markImagePath.clear();
    everythingWrong.destMode = DestMode::Custom;
    everythingWrong.customFolder = QStringLiteral("/no/such/folder");
    everythingWrong.positionType = PositionType::Absolute;
    everythingWrong.xOffsetText = QStringLiteral("1.5");
    QTest::addRow("empty list comes first") << 0 << everythingWrong << "NothingToProceed" << MessageIcon::Information;
    QTest::addRow("then the stamp picture")
        << 1 << everythingWrong << "PleaseSetStampImage" << MessageIcon::Information;

    StampSettings noFolder = everythingWrong;
    noFolder.markImagePath = QStringLiteral("/some/stamp.png");
    QTest::addRow("then the folder") << 1 << noFolder << "DestFolderNotExists" << MessageIcon::Error;

    StampSettings badOffset = noFolder;
    badOffset.customFolder = QDir::tempPath();
    QTest::addRow("then the offsets") << 1 << badOffset << "StampCoordsIntegers" << MessageIcon::Error;
    badOffset.xOffsetText = QStringLiteral(" -5");
    badOffset.yOffsetText = QStringLiteral("5 ");
    QTest::addRow("the Y offset too") << 1 << badOffset << "StampCoordsIntegers" << MessageIcon::Error;

    StampSettings textStamp;
    textStamp.markType = MarkType::Text;
    textStamp.positionType = PositionType::Absolute;
    textStamp.xOffsetText = QStringLiteral("$1F");
    textStamp.yOffsetText = QStringLiteral("+3");
    QTest::addRow("a text stamp needs no picture") << 1 << textStamp << "" << MessageIcon::Information;

    StampSettings relative = badOffset;
    relative.positionType = PositionType::Relative;
    QTest::addRow("relative ignores the offset texts") << 1 << relative << "" << MessageIcon::Information;
}

void TestBatchRun::checksBeforeRun()
{
    QFETCH(int, files);
    QFETCH(StampSettings, settings);
    QFETCH(QString, key);
    QFETCH(MessageIcon, icon);

    const auto refusal = checkBeforeRun(settings, files);
    if (key.isEmpty()) {
        QVERIFY(!refusal);
    } else {
        QVERIFY(refusal);
        QCOMPARE(refusal->messageKey, key);
        QCOMPARE(refusal->icon, icon);
    }
}

void TestBatchRun::refusedRunShowsMessageOnly()
{
    TestBatchHost host = pictureHost();
    host.settings.markImagePath.clear();
    host.files = {path("a.png")};
    writeImage(path("a.png"), QSize(20, 10), Background);

    const RunResult result = run(host);
    QCOMPARE(result.outcome, RunResult::Outcome::Refused);
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].text, m_language.GetText("PleaseSetStampImage"));
    QVERIFY(host.log.isEmpty());
    QVERIFY(host.proceedCaption.isEmpty());
    QVERIFY(!QFile::exists(path("stamped_a.png")));
}

void TestBatchRun::pictureRunPlacesStampAndLogs()
{
    TestBatchHost host = pictureHost();
    host.settings.xOffsetFrom = XOffsetFrom::Right;
    host.settings.yOffsetFrom = YOffsetFrom::Bottom;
    const QStringList names = {"a.png", "gone1.png", "b.png", "gone2.png", "c.png"};
    for (const QString &name : names) {
        host.files.append(path(name));
        if (!name.startsWith(u"gone"))
            writeImage(path(name), QSize(20, 10), Background);
    }

    BatchRun batch(host, m_language);
    const RunResult result = batch.btnProceedClick();
    QCOMPARE(result.outcome, RunResult::Outcome::Finished);
    QCOMPARE(result.saved, 3);
    QCOMPARE(host.log, (QStringList{"File " + path("gone1.png") + " does not exist.",
                                    "File " + path("gone2.png") + " does not exist.", "Finished: saved 3 of 5."}));
    QCOMPARE(host.progressMaximum, 5);
    QCOMPARE(host.progress, (QList<int>{0, 1, 2, 3, 4, 0}));
    QCOMPARE(host.proceedCaption, m_language.GetText("Proceed"));
    QVERIFY(host.proceedEnabled);
    QCOMPARE(batch.tag(), 0);

    // 2 from the right and 1 from the bottom of a 20 x 10 image: the 4 x 3 stamp's
    // top-left corner is at (14, 6).
    for (const QString &name : QStringList{"a.png", "b.png", "c.png"}) {
        const QImage out(path("stamped_" + name));
        QCOMPARE(out.size(), QSize(20, 10));
        QCOMPARE(changedArea(out), QRect(14, 6, 4, 3));
        QCOMPARE(out.pixelColor(14, 6), StampColour);
    }
    QCOMPARE(QImage(path("a.png")).pixelColor(14, 6), Background);
}

void TestBatchRun::relativePlacement()
{
    TestBatchHost host = pictureHost();
    host.settings.positionType = PositionType::Relative;
    host.settings.markLeft = 160; // the rightmost and bottommost marker position
    host.settings.markTop = 187;
    host.files = {path("a.png")};
    writeImage(path("a.png"), QSize(30, 20), Background);

    QCOMPARE(run(host).saved, 1);
    QCOMPARE(changedArea(QImage(path("stamped_a.png"))), QRect(26, 17, 4, 3));
}

void TestBatchRun::reactionToExistingDestination_data()
{
    QTest::addColumn<IfExists>("reaction");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("asked");

    QTest::addRow("overwrite") << IfExists::Overwrite << QList<bool>{} << true << false;
    QTest::addRow("skip") << IfExists::Skip << QList<bool>{} << false << false;
    QTest::addRow("ask, yes") << IfExists::Ask << QList<bool>{true} << true << true;
    QTest::addRow("ask, no") << IfExists::Ask << QList<bool>{false} << false << true;
}

void TestBatchRun::reactionToExistingDestination()
{
    QFETCH(IfExists, reaction);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, replaced);
    QFETCH(bool, asked);

    TestBatchHost host = pictureHost();
    host.settings.ifExists = reaction;
    host.answers = answers;
    host.files = {path("a.png")};
    writeImage(path("a.png"), QSize(20, 10), Background);
    const QString destination = path("stamped_a.png");
    writeFile(destination, "old contents");

    const RunResult result = run(host);
    QCOMPARE(result.saved, replaced ? 1 : 0);
    QCOMPARE(readFile(destination) != "old contents", replaced);
    QCOMPARE(host.questions,
             asked ? QStringList{"File exists|File " + destination + " already exists. Replace it?"} : QStringList{});
    QCOMPARE(host.log, QStringList{QString("Finished: saved %1 of 1.").arg(replaced ? 1 : 0)});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary files left
}

void TestBatchRun::fileListedTwiceIsAskedAbout()
{
    TestBatchHost host = pictureHost();
    host.settings.ifExists = IfExists::Ask;
    host.files = {path("a.png"), path("a.png")};
    writeImage(path("a.png"), QSize(20, 10), Background);

    QCOMPARE(run(host).saved, 1);
    QCOMPARE(host.questions.size(), 1);
}

void TestBatchRun::cancelAtYieldPoint()
{
    TestBatchHost host = pictureHost();
    for (const QString &name : QStringList{"a.png", "b.png", "c.png"}) {
        host.files.append(path(name));
        writeImage(path(name), QSize(20, 10), Background);
    }
    BatchRun batch(host, m_language);
    bool sawCancelState = false;
    // Three yields per file: cancel at the first yield of the second file.
    host.onYield = [&](int yield) {
        if (yield == 4) {
            QCOMPARE(batch.btnProceedClick().outcome, RunResult::Outcome::CancelRequested);
            sawCancelState = batch.tag() == 0 && !batch.proceedEnabled() && batch.busy() &&
                             host.proceedCaption == m_language.GetText("Cancel") && !host.proceedEnabled;
            // A further press while stopping does not start a second run.
            QCOMPARE(batch.btnProceedClick().outcome, RunResult::Outcome::Ignored);
        }
    };

    const RunResult result = batch.btnProceedClick();
    QVERIFY(sawCancelState);
    QVERIFY(result.cancelled);
    QCOMPARE(result.saved, 1);
    QVERIFY(QFile::exists(path("stamped_a.png")));
    QVERIFY(!QFile::exists(path("stamped_b.png")));
    QCOMPARE(host.log, QStringList{"Finished: saved 1 of 3."});
    QCOMPARE(host.progress.last(), 0);
    QCOMPARE(host.proceedCaption, m_language.GetText("Proceed"));
    QVERIFY(host.proceedEnabled);
    QVERIFY(!batch.busy());
}

void TestBatchRun::listShrinkingDuringRun()
{
    TestBatchHost host = pictureHost();
    for (const QString &name : QStringList{"a.png", "b.png", "c.png"}) {
        host.files.append(path(name));
        writeImage(path(name), QSize(20, 10), Background);
    }
    // The user clears the rest of the list while the second file's first yield runs.
    host.onYield = [&](int yield) {
        if (yield == 4)
            host.files = host.files.mid(0, 1);
    };

    const RunResult result = run(host);
    QCOMPARE(result.saved, 1);
    QCOMPARE(host.log, QStringList{"Finished: saved 1 of 1."});
}

void TestBatchRun::markTypeChangeDuringRunKeepsStartType()
{
    TestBatchHost host = pictureHost();
    for (const QString &name : QStringList{"a.png", "b.png"}) {
        host.files.append(path(name));
        writeImage(path(name), QSize(20, 10), Background);
    }
    host.onYield = [&](int yield) {
        if (yield == 1) {
            host.settings.markType = MarkType::Text;
            host.settings.xOffsetText = QStringLiteral("no longer a number");
        }
    };

    QCOMPARE(run(host).saved, 2);
    QCOMPARE(changedArea(QImage(path("stamped_b.png"))), QRect(2, 1, 4, 3));
}

void TestBatchRun::unloadableSourcesAreLogged()
{
    TestBatchHost host = pictureHost();
    host.settings.markType = MarkType::Text;
    writeFile(path("text.jpg"), "this is not an image");
    writeFile(path("empty.png"), "");
    QDir(m_dir->path()).mkdir("folder.png");
    host.files = {path("text.jpg"), path("empty.png"), path("folder.png")};

    const RunResult result = run(host);
    QCOMPARE(result.saved, 0);
    QCOMPARE(host.log, (QStringList{"File " + path("text.jpg") + " could not be loaded.",
                                    "File " + path("empty.png") + " could not be loaded.",
                                    "File " + path("folder.png") + " does not exist.", "Finished: saved 0 of 3."}));
}

void TestBatchRun::stampPictureThatDoesNotLoad()
{
    TestBatchHost host = pictureHost();
    writeFile(path("broken.png"), "\x89PNG broken");
    host.settings.markImagePath = path("broken.png");
    host.files = {path("a.png")};
    writeImage(path("a.png"), QSize(20, 10), Background);

    const RunResult result = run(host);
    QCOMPARE(result.outcome, RunResult::Outcome::StampFailed);
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].text, "Could not load the stamp picture " + path("broken.png"));
    QCOMPARE(host.messages[0].icon, MessageIcon::Error);
    QVERIFY(host.log.isEmpty());
    QCOMPARE(host.proceedCaption, m_language.GetText("Proceed"));
    QVERIFY(!QFile::exists(path("stamped_a.png")));
}

void TestBatchRun::destinationThatCannotBeWritten()
{
    TestBatchHost host = pictureHost();
    host.files = {path("a.png"), path("b.png")};
    writeImage(path("a.png"), QSize(20, 10), Background);
    writeImage(path("b.png"), QSize(20, 10), Background);
    // A folder stands where the first result should go; the second goes to a custom
    // folder that the user names while the run is under way and that does not exist.
    QDir(m_dir->path()).mkdir("stamped_a.png");
    const QString gone = path("gone");
    host.onYield = [&](int yield) {
        if (yield == 4) {
            host.settings.destMode = DestMode::Custom;
            host.settings.customFolder = gone;
        }
    };

    const RunResult result = run(host);
    QCOMPARE(result.saved, 0);
    QCOMPARE(host.log, (QStringList{"File " + path("stamped_a.png") + " could not be saved.",
                                    "File " + gone + "/stamped_b.png could not be saved.", "Finished: saved 0 of 2."}));
    QVERIFY(QFileInfo(path("stamped_a.png")).isDir());
    QCOMPARE(QDir(path("stamped_a.png")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(), 0);
    // No temporary file is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.png", "b.png", "stamp.png"}));
}

void TestBatchRun::outputFormats_data()
{
    QTest::addColumn<OutputFormat>("format");
    QTest::addColumn<QString>("expected");

    QTest::addRow("original") << OutputFormat::Original << "stamped_a.bmp";
    QTest::addRow("jpeg") << OutputFormat::Jpeg << "stamped_a.jpg";
    QTest::addRow("tiff") << OutputFormat::Tiff << "stamped_a.tif";
    QTest::addRow("photoshop") << OutputFormat::Photoshop << "stamped_a.psd";
    QTest::addRow("tga") << OutputFormat::Tga << "stamped_a.tga";
    QTest::addRow("png") << OutputFormat::Png << "stamped_a.png";
}

void TestBatchRun::outputFormats()
{
    QFETCH(OutputFormat, format);
    QFETCH(QString, expected);

    TestBatchHost host = pictureHost();
    host.settings.outputFormat = format;
    host.files = {path("a.bmp")};
    writeImage(path("a.bmp"), QSize(20, 10), Background, "BMP");

    QCOMPARE(run(host).saved, 1);
    const ImageLibrarySession session;
    DevilImage image;
    QVERIFY(loadImage(image, path(expected)));
    QCOMPARE(image.size(), QSize(20, 10));
}

void TestBatchRun::jpegQualityTakesEffect()
{
    QImage photo(200, 150, QImage::Format_RGB888);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixelColor(x, y, QColor((x * 7) % 256, (y * 5) % 256, (x * y) % 256));
    QVERIFY(photo.save(path("a.png")));

    qint64 sizes[2] = {};
    const int qualities[2] = {10, 95};
    for (int i = 0; i < 2; ++i) {
        TestBatchHost host = pictureHost();
        host.settings.outputFormat = OutputFormat::Jpeg;
        host.settings.jpegQuality = qualities[i];
        host.files = {path("a.png")};
        QCOMPARE(run(host).saved, 1);
        sizes[i] = QFileInfo(path("stamped_a.jpg")).size();
    }
    QVERIFY2(sizes[0] * 2 < sizes[1], qPrintable(QString("%1 vs %2").arg(sizes[0]).arg(sizes[1])));
}

void TestBatchRun::textStampIsDrawnWhereMeasured()
{
    TestBatchHost host = pictureHost();
    host.settings.markType = MarkType::Text;
    host.settings.markText = QStringLiteral("Wg");
    host.settings.markFont.color = 0x0000FF; // red: the low byte
    host.settings.xOffsetText = QStringLiteral("10");
    host.settings.yOffsetText = QStringLiteral("5");
    host.files = {path("a.png")};
    writeImage(path("a.png"), QSize(120, 80), Background);

    QCOMPARE(run(host).saved, 1);
    const QImage out(path("stamped_a.png"));
    const QRect drawn = changedArea(out);
    const QRect cell(QPoint(10, 5), measureTextStamp(host.settings.markText, host.settings.markFont));
    QVERIFY(!drawn.isEmpty());
    QVERIFY2(cell.contains(drawn), qPrintable(QString("drawn %1,%2 %3x%4 outside the cell")
                                                  .arg(drawn.x())
                                                  .arg(drawn.y())
                                                  .arg(drawn.width())
                                                  .arg(drawn.height())));
    bool sawRed = false;
    for (int y = drawn.top(); y <= drawn.bottom() && !sawRed; ++y)
        for (int x = drawn.left(); x <= drawn.right() && !sawRed; ++x)
            sawRed = out.pixelColor(x, y) == StampColour;
    QVERIFY(sawRed);
}

QTEST_MAIN(TestBatchRun)
#include "tst_BatchRun.moc"
