#include "ImageOps.h"
#include "tst_ImageOpsSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace markwell;
using namespace imagetest;

namespace {

struct Source
{
    const char *name;
    ILenum format;
    ILenum type;
    Storage storage = Storage::TopRowFirst;
};

const Source sources[] = {
    {"RGB", IL_RGB, IL_UNSIGNED_BYTE},
    {"RGBA", IL_RGBA, IL_UNSIGNED_BYTE},
    {"BGR", IL_BGR, IL_UNSIGNED_BYTE},
    {"grey", IL_LUMINANCE, IL_UNSIGNED_BYTE},
    {"grey+alpha", IL_LUMINANCE_ALPHA, IL_UNSIGNED_BYTE},
    {"palette", IL_COLOUR_INDEX, IL_UNSIGNED_BYTE},
    {"16-bit RGB", IL_RGB, IL_UNSIGNED_SHORT},
    {"16-bit grey", IL_LUMINANCE, IL_UNSIGNED_SHORT},
    {"float RGB", IL_RGB, IL_FLOAT},
    {"RGB bottom row first", IL_RGB, IL_UNSIGNED_BYTE, Storage::BottomRowFirst},
};

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An image whose pixels don't compress well, so the JPEG quality shows in the size.
QImage noise(int size)
{
    QImage picture(size, size, QImage::Format_RGBA8888);
    quint32 state = 12345;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            state = state * 1103515245u + 12345u;
            picture.setPixel(x, y, qRgb(int(state >> 24), int((state >> 16) & 0xFF), int((state >> 8) & 0xFF)));
        }
    }
    return picture;
}

} // namespace

class TestImageOpsSaving : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void savesEveryFormatReadably_data();
    void savesEveryFormatReadably();
    void targaReadsRightWayUpElsewhere_data();
    void targaReadsRightWayUpElsewhere();
    void jpegQualityApplies();
    void replacesExistingDestination();
    void failedSaveLeavesEverythingAsItWas_data();
    void failedSaveLeavesEverythingAsItWas();

private:
    std::optional<Library> m_library;
    std::optional<QTemporaryDir> m_folder;
};

void TestImageOpsSaving::initTestCase()
{
    m_library.emplace();
}

void TestImageOpsSaving::cleanupTestCase()
{
    m_library.reset();
}

void TestImageOpsSaving::init()
{
    m_folder.emplace();
    QVERIFY(m_folder->isValid());
}

void TestImageOpsSaving::savesEveryFormatReadably_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("tolerance");

    for (const char *extension : {"jpg", "tif", "psd", "tga", "png", "bmp", "JPG"}) {
        const int tolerance = QByteArray(extension).toLower() == "jpg" ? 24 : 1;
        for (int s = 0; s < int(std::size(sources)); ++s)
            QTest::newRow(
                qPrintable(QStringLiteral("%1 to .%2").arg(QLatin1String(sources[s].name), QLatin1String(extension))))
                << s << QString::fromLatin1(extension) << tolerance;
    }
}

void TestImageOpsSaving::savesEveryFormatReadably()
{
    QFETCH(int, source);
    QFETCH(QString, extension);
    QFETCH(int, tolerance);
    const Source &kind = sources[source];

    DevilImage image;
    makeImage(image, quadrants(16, 16), kind.format, kind.type, kind.storage);
    const QImage before = toQImage(image);
    const ILint origin = ilGetInteger(IL_IMAGE_ORIGIN);
    const QString path = m_folder->filePath(QStringLiteral("out.") + extension);

    QVERIFY(saveImage(image, path));
    QCOMPARE(entriesOf(m_folder->path()), QStringList{QStringLiteral("out.") + extension});
    // The image in memory is as it was, for whatever comes next.
    image.bind();
    QCOMPARE(ilGetInteger(IL_IMAGE_FORMAT), ILint(kind.format));
    QCOMPARE(ilGetInteger(IL_IMAGE_TYPE), ILint(kind.type));
    QCOMPARE(ilGetInteger(IL_IMAGE_ORIGIN), origin);
    QCOMPARE(toQImage(image), before);

    DevilImage reread;
    QVERIFY(loadImage(reread, path));
    const QImage after = toQImage(reread);
    QCOMPARE(after.size(), before.size());
    // Transparency is not compared: JPEG, BMP and PSD as DevIL writes them keep none.
    for (const QPoint centre : {QPoint(4, 4), QPoint(12, 4), QPoint(4, 12), QPoint(12, 12)}) {
        const QRgb got = after.pixel(centre) | 0xFF000000u;
        const QRgb want = before.pixel(centre) | 0xFF000000u;
        QVERIFY2(near(got, want, tolerance), qPrintable(QStringLiteral("%1 at (%2,%3), expected %4")
                                                            .arg(describe(got))
                                                            .arg(centre.x())
                                                            .arg(centre.y())
                                                            .arg(describe(want))));
    }
}

void TestImageOpsSaving::targaReadsRightWayUpElsewhere_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<QStringList>("readOptions");

    for (int s : {0, 1, 3, 5, 9}) {
        QTest::addRow("%s, rows as stored", sources[s].name) << s << QStringList();
        QTest::addRow("%s, rows as the header says", sources[s].name)
            << s << QStringList{QStringLiteral("-auto-orient")};
    }
}

// ImageMagick keeps a TGA's rows in file order unless told to follow the header;
// either way the picture has to come out the right way up.
void TestImageOpsSaving::targaReadsRightWayUpElsewhere()
{
    QFETCH(int, source);
    QFETCH(QStringList, readOptions);
    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert.isEmpty())
        QSKIP("ImageMagick's convert is not installed");

    const Source &kind = sources[source];
    DevilImage image;
    makeImage(image, quadrants(8, 6), kind.format, kind.type, kind.storage);
    const QImage expected = toQImage(image);
    const QString path = m_folder->filePath(QStringLiteral("out.tga"));
    QVERIFY(saveImage(image, path));

    QProcess process;
    process.start(convert, QStringList{path} + readOptions +
                               QStringList{QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("RGBA:-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray pixels = process.readAllStandardOutput();
    QCOMPARE(pixels.size(), qsizetype(8 * 6 * 4));
    const QImage actual(reinterpret_cast<const uchar *>(pixels.constData()), 8, 6, QImage::Format_RGBA8888);
    const QString difference = firstDifference(actual, expected, 0);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestImageOpsSaving::jpegQualityApplies()
{
    DevilImage image;
    makeImage(image, noise(64), IL_RGB, IL_UNSIGNED_BYTE);
    const QString low = m_folder->filePath(QStringLiteral("low.jpg"));
    const QString high = m_folder->filePath(QStringLiteral("high.jpg"));

    ilSetInteger(IL_JPG_QUALITY, 10);
    QVERIFY(saveImage(image, low));
    ilSetInteger(IL_JPG_QUALITY, 95);
    QVERIFY(saveImage(image, high));
    QVERIFY(QFileInfo(low).size() * 2 < QFileInfo(high).size());
}

void TestImageOpsSaving::replacesExistingDestination()
{
    const QString path = m_folder->filePath(QStringLiteral("out.png"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older file");
    }
    DevilImage image;
    makeImage(image, quadrants(8, 6), IL_RGB, IL_UNSIGNED_BYTE);

    QVERIFY(saveImage(image, path));
    QCOMPARE(entriesOf(m_folder->path()), QStringList{QStringLiteral("out.png")});
    DevilImage reread;
    QVERIFY(loadImage(reread, path));
    QCOMPARE(toQImage(reread), quadrants(8, 6));
}

void TestImageOpsSaving::failedSaveLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("existing"); // "file", "folder" or empty

    QTest::addRow("folder missing") << QStringLiteral("missing/out.png") << QString();
    QTest::addRow("destination is a folder") << QStringLiteral("out.png") << QStringLiteral("folder");
    QTest::addRow("format DevIL can't write, old file kept") << QStringLiteral("out.gif") << QStringLiteral("file");
    QTest::addRow("no extension, old file kept") << QStringLiteral("out") << QStringLiteral("file");
}

void TestImageOpsSaving::failedSaveLeavesEverythingAsItWas()
{
    QFETCH(QString, destination);
    QFETCH(QString, existing);
    const QString path = m_folder->filePath(destination);
    const QByteArray oldContents = "the file that was there";
    if (existing == QLatin1String("folder")) {
        QVERIFY(QDir(m_folder->path()).mkdir(destination));
    } else if (existing == QLatin1String("file")) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(oldContents);
    }
    const QStringList entriesBefore = entriesOf(m_folder->path());

    DevilImage image;
    makeImage(image, quadrants(8, 6), IL_RGB, IL_UNSIGNED_BYTE);
    QVERIFY(!saveImage(image, path));

    QCOMPARE(entriesOf(m_folder->path()), entriesBefore);
    if (existing == QLatin1String("folder"))
        QVERIFY(QFileInfo(path).isDir());
    else if (existing == QLatin1String("file"))
        QCOMPARE(contentsOf(path), oldContents);
}

QTEST_MAIN(TestImageOpsSaving)
#include "tst_ImageOpsSaving.moc"
