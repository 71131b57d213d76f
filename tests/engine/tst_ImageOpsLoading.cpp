#include "ImageOps.h"
#include "tst_ImageOpsSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace markwell;
using namespace imagetest;

namespace {

enum class TgaKind { TrueColour24, TrueColour32, Grey, ColourMapped, RunLength };

void appendLittle16(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char((value >> 8) & 0xFF));
}

QByteArray bgrOf(QRgb colour)
{
    QByteArray bytes;
    bytes.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
    return bytes;
}

// A TGA file written by the format's rules: rows stored in the order the descriptor
// names, colour-mapped files with a BGR map, run-length files with real runs.
QByteArray targa(const QImage &picture, TgaKind kind, Storage storage)
{
    QList<QRgb> colourMap;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!colourMap.contains(picture.pixel(x, y)))
                colourMap.append(picture.pixel(x, y));
        }
    }
    const int imageType = kind == TgaKind::ColourMapped ? 1
                          : kind == TgaKind::Grey       ? 3
                          : kind == TgaKind::RunLength  ? 10
                                                        : 2;
    const int pixelBits = kind == TgaKind::TrueColour32                              ? 32
                          : (kind == TgaKind::Grey || kind == TgaKind::ColourMapped) ? 8
                                                                                     : 24;
    QByteArray bytes;
    bytes.append(char(0));                                     // no image id
    bytes.append(char(kind == TgaKind::ColourMapped ? 1 : 0)); // colour map present
    bytes.append(char(imageType));
    appendLittle16(bytes, 0);
    appendLittle16(bytes, kind == TgaKind::ColourMapped ? int(colourMap.size()) : 0);
    bytes.append(char(kind == TgaKind::ColourMapped ? 24 : 0));
    appendLittle16(bytes, 0);
    appendLittle16(bytes, 0);
    appendLittle16(bytes, picture.width());
    appendLittle16(bytes, picture.height());
    bytes.append(char(pixelBits));
    bytes.append(char((kind == TgaKind::TrueColour32 ? 8 : 0) | (storage == Storage::TopRowFirst ? 0x20 : 0)));
    if (kind == TgaKind::ColourMapped) {
        for (QRgb colour : colourMap)
            bytes.append(bgrOf(colour));
    }
    for (int i = 0; i < picture.height(); ++i) {
        const int y = storage == Storage::TopRowFirst ? i : picture.height() - 1 - i;
        for (int x = 0; x < picture.width();) {
            const QRgb colour = picture.pixel(x, y);
            switch (kind) {
            case TgaKind::TrueColour24:
                bytes.append(bgrOf(colour));
                ++x;
                break;
            case TgaKind::TrueColour32:
                bytes.append(bgrOf(colour)).append(char(qAlpha(colour)));
                ++x;
                break;
            case TgaKind::Grey:
                bytes.append(char(qGray(colour)));
                ++x;
                break;
            case TgaKind::ColourMapped:
                bytes.append(char(colourMap.indexOf(colour)));
                ++x;
                break;
            case TgaKind::RunLength: {
                int run = 1;
                while (x + run < picture.width() && picture.pixel(x + run, y) == colour && run < 128)
                    ++run;
                bytes.append(char(0x80 | (run - 1))).append(bgrOf(colour));
                x += run;
                break;
            }
            }
        }
    }
    return bytes;
}

QImage greyOf(const QImage &picture)
{
    QImage grey = picture.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const int value = qGray(grey.pixel(x, y));
            grey.setPixel(x, y, qRgb(value, value, value));
        }
    }
    return grey;
}

QImage solidBlocks(const QList<QColor> &colours)
{
    QImage picture(16, 16, QImage::Format_RGBA8888);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            picture.setPixelColor(x, y, colours[(y / 8) * 2 + x / 8]);
    }
    return picture;
}

QString dataFile(const QString &name)
{
    return QStringLiteral(MARKWELL_SOURCE_DIR "/tests/engine/data/") + name;
}

} // namespace

class TestImageOpsLoading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsRightWayUpInTrueColours_data();
    void readsRightWayUpInTrueColours();
    void refusesWhatIsNotAnImage_data();
    void refusesWhatIsNotAnImage();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QString save(const QString &name, const QImage &picture, const char *format);

    std::optional<Library> m_library;
    QTemporaryDir m_folder;
};

void TestImageOpsLoading::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_library.emplace();
}

void TestImageOpsLoading::cleanupTestCase()
{
    m_library.reset();
}

QString TestImageOpsLoading::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a fixture");
    return file.fileName();
}

QString TestImageOpsLoading::save(const QString &name, const QImage &picture, const char *format)
{
    const QString path = m_folder.filePath(name);
    if (!picture.save(path, format, 100))
        qFatal("cannot write a fixture");
    return path;
}

void TestImageOpsLoading::readsRightWayUpInTrueColours_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QImage>("expected");
    // Lossy files are compared only at the middle of each block.
    QTest::addColumn<bool>("lossy");
    QTest::addColumn<int>("tolerance");

    const QImage pattern = quadrants(8, 6);
    QTest::addRow("PNG named .jpg") << save("png.jpg", pattern, "PNG") << pattern << false << 0;
    QTest::addRow("JPEG named .png") << save("jpeg.png", quadrants(16, 16), "JPEG") << quadrants(16, 16) << true << 24;
    QTest::addRow("BMP with a version 5 header") << dataFile("quadrants-v5.bmp") << quadrants(8, 8) << false << 0;
    QTest::addRow("palette BMP, bottom row first")
        << save("palette.bmp", pattern.convertToFormat(QImage::Format_Indexed8), "BMP") << pattern << false << 0;
    QTest::addRow("grey PNG")
        << save("grey.png", pattern.convertToFormat(QImage::Format_Grayscale8), "PNG")
        << pattern.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGBA8888) << false << 0;
    QTest::addRow("16-bit PNG") << save("deep.png", pattern.convertToFormat(QImage::Format_RGBA64), "PNG") << pattern
                                << false << 0;

    const struct
    {
        const char *name;
        TgaKind kind;
    } kinds[] = {{"24-bit", TgaKind::TrueColour24},
                 {"32-bit", TgaKind::TrueColour32},
                 {"grey", TgaKind::Grey},
                 {"colour-mapped", TgaKind::ColourMapped},
                 {"run-length", TgaKind::RunLength}};
    for (const auto &kind : kinds) {
        for (Storage storage : {Storage::BottomRowFirst, Storage::TopRowFirst}) {
            const QString order = storage == Storage::BottomRowFirst ? QStringLiteral("bottom") : QStringLiteral("top");
            const QImage expected = kind.kind == TgaKind::Grey ? greyOf(pattern) : pattern;
            QTest::addRow("TGA %s, %s row first", kind.name, qPrintable(order))
                << write(QStringLiteral("%1-%2.tga").arg(kind.name, order), targa(pattern, kind.kind, storage))
                << expected << false << 0;
        }
    }

    // Expected colours as ImageMagick reads the file.
    QTest::addRow("CMYK JPEG") << dataFile("quadrants-cmyk.jpg")
                               << solidBlocks({QColor(200, 30, 29), QColor(40, 40, 40), QColor(20, 90, 160),
                                               QColor(249, 240, 200)})
                               << true << 3;
}

void TestImageOpsLoading::readsRightWayUpInTrueColours()
{
    QFETCH(QString, path);
    QFETCH(QImage, expected);
    QFETCH(bool, lossy);
    QFETCH(int, tolerance);

    DevilImage image;
    QVERIFY(loadImage(image, path));
    QCOMPARE(ilGetInteger(IL_IMAGE_ORIGIN), IL_ORIGIN_UPPER_LEFT);
    const QImage actual = toQImage(image);
    QCOMPARE(actual.size(), expected.size());
    if (!lossy) {
        const QString difference = firstDifference(actual, expected, tolerance);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        return;
    }
    for (const QPoint centre : {QPoint(4, 4), QPoint(12, 4), QPoint(4, 12), QPoint(12, 12)}) {
        const QRgb got = actual.pixel(centre);
        const QRgb want = expected.pixel(centre);
        QVERIFY2(near(got, want, tolerance), qPrintable(QStringLiteral("%1 at (%2,%3), expected %4")
                                                            .arg(describe(got))
                                                            .arg(centre.x())
                                                            .arg(centre.y())
                                                            .arg(describe(want))));
    }
}

void TestImageOpsLoading::refusesWhatIsNotAnImage_data()
{
    QTest::addColumn<QString>("path");

    QByteArray jpeg;
    {
        const QString path = save("whole.jpg", quadrants(64, 64), "JPEG");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        jpeg = file.readAll();
    }
    QByteArray png;
    {
        const QString path = save("whole.png", quadrants(64, 64), "PNG");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        png = file.readAll();
    }
    QByteArray noise(5000, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);

    QTest::addRow("JPEG cut in half") << write("half.jpg", jpeg.left(jpeg.size() / 2));
    QTest::addRow("JPEG without its end marker") << write("nearly.jpg", jpeg.chopped(2));
    QTest::addRow("PNG cut in half") << write("half.png", png.left(png.size() / 2));
    QTest::addRow("text named .jpg") << write("text.jpg", "not a picture\n");
    QTest::addRow("empty file") << write("empty.jpg", {});
    QTest::addRow("noise named .png") << write("noise.png", noise);
    QTest::addRow("noise without an extension") << write("noise", noise);
    QTest::addRow("a folder") << m_folder.path();
    QTest::addRow("missing file") << m_folder.filePath("missing.png");
}

void TestImageOpsLoading::refusesWhatIsNotAnImage()
{
    QFETCH(QString, path);
    DevilImage image;
    QVERIFY(!loadImage(image, path));
}

QTEST_MAIN(TestImageOpsLoading)
#include "tst_ImageOpsLoading.moc"
