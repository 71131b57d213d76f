#include "ConfigFile.h"
#include "MarkerSize.h"
#include "Placement.h"
#include "TLanguage.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/types.h>
#include <unistd.h>

using namespace markwell;

namespace {

const QColor Background(255, 255, 255);
const QColor StampColour(0, 0, 255);

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

QRect changedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Background)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestBatchCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void argumentsAndChecks_data();
    void argumentsAndChecks();
    void invalidConfiguration_data();
    void invalidConfiguration();
    void stampsImagesAndLogs();
    void startupConfigurationIsTheDefault();
    void askCountsAsNoWithoutTerminal();
    void stampPictureThatDoesNotLoad();
    void relativePlacementUsesTheMarkerOfTheLanguage();
    void parallelRunMatchesOneJob();
    void interruptedParallelRunLeavesNoTemporaryFiles();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    Outcome runBatch(const QStringList &arguments);
    QStringList photoList(int count, QSize size);
    void writeImage(const QString &name, QSize size, QColor colour);
    StampSettings pictureSettings() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
};

void TestBatchCommandLine::init()
{
    // The program finds its languages and its start-up configuration through its own
    // folder, so each test runs a copy in a folder of its own.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QDir(m_dir->path()).mkpath("program/languages");
    m_program = path("program/markwell-batch");
    QVERIFY(QFile::copy(QStringLiteral(MARKWELL_BIN_DIR "/markwell-batch"), m_program));
    QVERIFY(QFile::copy(QStringLiteral(MARKWELL_SOURCE_DIR "/languages/english.ini"),
                        path("program/languages/english.ini")));
    writeImage("stamp.png", QSize(4, 3), StampColour);
}

Outcome TestBatchCommandLine::runBatch(const QStringList &arguments)
{
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.start();
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void TestBatchCommandLine::writeImage(const QString &name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    QVERIFY(image.save(path(name)));
}

StampSettings TestBatchCommandLine::pictureSettings() const
{
    StampSettings settings;
    settings.markImagePath = path("stamp.png");
    settings.positionType = PositionType::Absolute;
    settings.xOffsetText = QStringLiteral("1");
    settings.yOffsetText = QStringLiteral("2");
    settings.ifExists = IfExists::Ask;
    return settings;
}

void TestBatchCommandLine::argumentsAndChecks_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrHas");

    QTest::addRow("help") << QStringList{"--help"} << 0 << "";
    QTest::addRow("unknown option") << QStringList{"--bogus"} << 2 << "unknown option --bogus";
    QTest::addRow("config without a file") << QStringList{"--config"} << 2 << "--config needs a file name";
    QTest::addRow("no images") << QStringList{} << 2 << "The file list is empty.";
    QTest::addRow("defaults have no stamp picture") << QStringList{"a.png"} << 2 << "Please choose a stamp picture";
}

void TestBatchCommandLine::argumentsAndChecks()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrHas);

    const Outcome outcome = runBatch(arguments);
    QCOMPARE(outcome.exitCode, exitCode);
    QVERIFY2(outcome.err.contains(stderrHas), qPrintable(outcome.err));
    QVERIFY(exitCode == 0 ? outcome.out.contains("Usage: markwell-batch") : outcome.out.isEmpty());
}

void TestBatchCommandLine::invalidConfiguration_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");

    QTest::addRow("not a configuration") << QByteArray("hello") << "not a valid configuration file";
    QTest::addRow("cut short") << QByteArray("ORBISCNF\1\0") << "not a valid configuration file";
    QTest::addRow("missing") << QByteArray() << "no such configuration file";
}

void TestBatchCommandLine::invalidConfiguration()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);

    const QString config = path("my.config");
    if (!contents.isEmpty()) {
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    writeImage("a.png", QSize(10, 10), Background);
    const Outcome outcome = runBatch({"--config", config, path("a.png")});
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY2(outcome.err.contains(config + ": " + message), qPrintable(outcome.err));
    QVERIFY(!QFile::exists(path("stamped_a.png")));
}

void TestBatchCommandLine::stampsImagesAndLogs()
{
    QVERIFY(writeConfigFile(path("my.config"), pictureSettings()));
    writeImage("a.png", QSize(10, 10), Background);
    writeImage("-b.png", QSize(10, 10), Background);

    Outcome outcome = runBatch({"--config", path("my.config"), "--", path("a.png"), path("gone.png"), "-b.png"});
    QCOMPARE(outcome.exitCode, 1);
    const QStringList lines = outcome.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QRegularExpression entry(QStringLiteral(R"(^\[ [0-9:]+( [AP]M)? \] (.*)$)"));
    QCOMPARE(entry.match(lines[0]).captured(2), "File " + path("gone.png") + " does not exist.");
    // A relative path is taken from the current folder, and "-b.png" is a file after "--".
    QCOMPARE(entry.match(lines[1]).captured(2), QString("File -b.png does not exist."));
    QCOMPARE(entry.match(lines[2]).captured(2), QString("Finished: saved 1 of 3."));
    QCOMPARE(changedArea(QImage(path("stamped_a.png"))), QRect(1, 2, 4, 3));

    outcome = runBatch({"--config", path("my.config"), path("-b.png")});
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(QFile::exists(path("stamped_-b.png")));
}

void TestBatchCommandLine::startupConfigurationIsTheDefault()
{
    QVERIFY(writeConfigFile(path("program/startup.config"), pictureSettings()));
    writeImage("a.png", QSize(10, 10), Background);

    const Outcome outcome = runBatch({path("a.png")});
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(changedArea(QImage(path("stamped_a.png"))), QRect(1, 2, 4, 3));
}

void TestBatchCommandLine::askCountsAsNoWithoutTerminal()
{
    QVERIFY(writeConfigFile(path("my.config"), pictureSettings()));
    writeImage("a.png", QSize(10, 10), Background);
    writeImage("stamped_a.png", QSize(3, 3), Background);

    const Outcome outcome = runBatch({"--config", path("my.config"), path("a.png")});
    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(QImage(path("stamped_a.png")).size(), QSize(3, 3));
    QVERIFY(outcome.out.contains("Finished: saved 0 of 1."));
}

void TestBatchCommandLine::stampPictureThatDoesNotLoad()
{
    StampSettings settings = pictureSettings();
    settings.markImagePath = path("missing-stamp.png");
    QVERIFY(writeConfigFile(path("my.config"), settings));
    writeImage("a.png", QSize(10, 10), Background);

    const Outcome outcome = runBatch({"--config", path("my.config"), path("a.png")});
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY2(outcome.err.contains("Could not load the stamp picture " + path("missing-stamp.png")),
             qPrintable(outcome.err));
    QVERIFY(outcome.out.isEmpty());
}

void TestBatchCommandLine::relativePlacementUsesTheMarkerOfTheLanguage()
{
    // A language whose marker caption is much longer leaves the marker less travel,
    // which moves the stamp for the same marker position.
    QFile language(path("program/languages/long.ini"));
    QVERIFY(language.open(QIODevice::WriteOnly));
    language.write("[language]\nid=Long\n[general]\nStamp=Wide stamp marker\n"
                   "LogFinished=Finished\nof=of\n");
    language.close();

    StampSettings settings = pictureSettings();
    settings.positionType = PositionType::Relative;
    settings.markLeft = 20;
    settings.markTop = 60;
    settings.languageFile = language.fileName();
    QVERIFY(writeConfigFile(path("my.config"), settings));
    writeImage("a.png", QSize(300, 200), Background);

    QCOMPARE(runBatch({"--config", path("my.config"), path("a.png")}).exitCode, 0);
    TLanguage table;
    table.Load(language.fileName());
    const auto expected = stampPosition(QSize(300, 200), QSize(4, 3), PositionFields::from(settings),
                                        QRect(QPoint(20, 60), markerSize(table.GetText("Stamp"))));
    QCOMPARE(changedArea(QImage(path("stamped_a.png"))).topLeft(), *expected);
}

QStringList TestBatchCommandLine::photoList(int count, QSize size)
{
    QImage photo(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            photo.setPixelColor(x, y, QColor((x * 3) % 256, (y * 5) % 256, (x + y) % 256));
    QStringList list;
    for (int i = 0; i < count; ++i) {
        const QString name = path(QStringLiteral("photos/p%1.jpg").arg(i));
        QDir().mkpath(path("photos"));
        if (!QFile::exists(name) && !photo.save(name, "JPG", 90))
            return {};
        list << name;
    }
    return list;
}

void TestBatchCommandLine::parallelRunMatchesOneJob()
{
    StampSettings settings = pictureSettings();
    settings.destMode = DestMode::Custom;
    settings.outputFormat = OutputFormat::Png;
    QDir().mkpath(path("one"));
    QDir().mkpath(path("many"));
    QStringList images = photoList(7, QSize(60, 40));
    QVERIFY(!images.isEmpty());
    QFile bad(path("photos/bad.jpg"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    images.insert(2, path("photos/bad.jpg"));
    images.insert(4, path("photos/gone.jpg"));
    images.append(images[0]); // listed twice: the second is asked about, and counts as No

    QStringList logs;
    for (const auto &[folder, jobs] : {std::pair<QString, QString>{"one", "1"}, {"many", "3"}}) {
        settings.customFolder = path(folder);
        QVERIFY(writeConfigFile(path(folder + ".config"), settings));
        const Outcome outcome = runBatch(QStringList{"--config", path(folder + ".config"), "--jobs", jobs} + images);
        QCOMPARE(outcome.exitCode, 1);
        QString log = outcome.out;
        log.replace(QRegularExpression(QStringLiteral(R"(\[ [^\]]* \] )")), QString());
        logs << log.replace(path(folder), QStringLiteral("OUT"));
    }
    QCOMPARE(logs[1], logs[0]);
    QCOMPARE(logs[0], "File " + path("photos/bad.jpg") + " could not be loaded.\nFile " + path("photos/gone.jpg") +
                          " does not exist.\nFinished: saved 7 of 10.\n");

    const QStringList written = QDir(path("one")).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(written.size(), 7);
    QCOMPARE(QDir(path("many")).entryList(QDir::Files | QDir::Hidden), written);
    for (const QString &name : written) {
        QFile one(path("one/" + name));
        QFile many(path("many/" + name));
        QVERIFY(one.open(QIODevice::ReadOnly) && many.open(QIODevice::ReadOnly));
        QVERIFY2(one.readAll() == many.readAll(), qPrintable(name));
    }
}

void TestBatchCommandLine::interruptedParallelRunLeavesNoTemporaryFiles()
{
    StampSettings settings = pictureSettings();
    settings.destMode = DestMode::Custom;
    settings.customFolder = path("out");
    QDir().mkpath(path("out"));
    QVERIFY(writeConfigFile(path("my.config"), settings));
    const QStringList images = photoList(40, QSize(1600, 1200));
    QVERIFY(!images.isEmpty());

    // Ctrl+C goes to the whole process group: the main process and its workers.
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(QStringList{"--config", path("my.config"), "--jobs", "2"} + images);
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start();
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QDir(path("out")).entryList(QDir::Files).size() >= 2, 30000);
    ::kill(-pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(30000));

    QCOMPARE(process.exitCode(), 1);
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QRegularExpressionMatch finished =
        QRegularExpression(QStringLiteral(R"(Finished: saved (\d+) of 40\.)")).match(out);
    QVERIFY2(finished.hasMatch(), qPrintable(out));
    const QStringList left = QDir(path("out")).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.size(), finished.captured(1).toInt());
    QVERIFY(left.size() < 40);
    for (const QString &name : left)
        QVERIFY2(name.startsWith("stamped_p"), qPrintable(name));
}

QTEST_MAIN(TestBatchCommandLine)
#include "tst_BatchCommandLine.moc"
