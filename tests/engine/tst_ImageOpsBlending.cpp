#include "ImageOps.h"
#include "tst_ImageOpsSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <optional>

using namespace markwell;
using namespace imagetest;

namespace {

constexpr int Min = std::numeric_limits<int>::min();
constexpr int Max = std::numeric_limits<int>::max();

StampPicture stampOf(const QImage &picture, bool hasColour)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    StampPicture stamp;
    stamp.size = rgba.size();
    stamp.hasColour = hasColour;
    for (int y = 0; y < rgba.height(); ++y)
        stamp.rgba.insert(stamp.rgba.end(), rgba.constScanLine(y), rgba.constScanLine(y) + rgba.width() * 4);
    return stamp;
}

// 4 x 3 opaque red, its third column half transparent.
QImage redStamp()
{
    QImage picture(4, 3, QImage::Format_RGBA8888);
    picture.fill(QColor(255, 0, 0));
    for (int y = 0; y < 3; ++y)
        picture.setPixelColor(2, y, QColor(255, 0, 0, 128));
    return picture;
}

// The red stamp laid on opaque white at `position`: red, the half transparent column
// pink ((0 * 128 + 255 * 127 + 127) / 255 = 127), everything else untouched.
QImage expectedOnWhite(QSize size, QPoint position)
{
    QImage expected(size, QImage::Format_RGBA8888);
    expected.fill(Qt::white);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const qint64 imageX = qint64(position.x()) + x;
            const qint64 imageY = qint64(position.y()) + y;
            if (imageX >= 0 && imageX < size.width() && imageY >= 0 && imageY < size.height())
                expected.setPixel(int(imageX), int(imageY), x == 2 ? qRgb(255, 127, 127) : qRgb(255, 0, 0));
        }
    }
    return expected;
}

struct Destination
{
    const char *name;
    ILenum format;
    ILenum type;
    Storage storage = Storage::TopRowFirst;
    bool paletteAlpha = false;
};

const Destination destinations[] = {
    {"RGB", IL_RGB, IL_UNSIGNED_BYTE},
    {"RGBA", IL_RGBA, IL_UNSIGNED_BYTE},
    {"BGR", IL_BGR, IL_UNSIGNED_BYTE},
    {"BGRA", IL_BGRA, IL_UNSIGNED_BYTE},
    {"grey", IL_LUMINANCE, IL_UNSIGNED_BYTE},
    {"grey+alpha", IL_LUMINANCE_ALPHA, IL_UNSIGNED_BYTE},
    {"palette", IL_COLOUR_INDEX, IL_UNSIGNED_BYTE},
    {"palette with alpha", IL_COLOUR_INDEX, IL_UNSIGNED_BYTE, Storage::TopRowFirst, true},
    {"16-bit RGB", IL_RGB, IL_UNSIGNED_SHORT},
    {"16-bit RGBA", IL_RGBA, IL_UNSIGNED_SHORT},
    {"16-bit grey", IL_LUMINANCE, IL_UNSIGNED_SHORT},
    {"float RGB", IL_RGB, IL_FLOAT},
    {"RGB bottom row first", IL_RGB, IL_UNSIGNED_BYTE, Storage::BottomRowFirst},
    {"palette bottom row first", IL_COLOUR_INDEX, IL_UNSIGNED_BYTE, Storage::BottomRowFirst},
};

} // namespace

class TestImageOpsBlending : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stampLandsWhereItIsPut_data();
    void stampLandsWhereItIsPut();
    void blendsByAlpha_data();
    void blendsByAlpha();
    void greyImageKeepsColourOfStamp_data();
    void greyImageKeepsColourOfStamp();
    void preparesStampPictures_data();
    void preparesStampPictures();
    void refusesMissingStampPicture();

private:
    std::optional<Library> m_library;
    QTemporaryDir m_folder;
};

void TestImageOpsBlending::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_library.emplace();
}

void TestImageOpsBlending::cleanupTestCase()
{
    m_library.reset();
}

void TestImageOpsBlending::stampLandsWhereItIsPut_data()
{
    QTest::addColumn<int>("destination");
    QTest::addColumn<QPoint>("position");

    const struct
    {
        const char *name;
        QPoint position;
    } positions[] = {
        {"inside", QPoint(2, 1)},
        {"over the top-left corner", QPoint(-2, -1)},
        {"over the bottom-right corner", QPoint(6, 4)},
        {"outside", QPoint(8, 0)},
        {"far outside, negative", QPoint(Min, Min)},
        {"far outside, positive", QPoint(Max, Max)},
    };
    for (int d = 0; d < int(std::size(destinations)); ++d) {
        for (const auto &place : positions)
            QTest::addRow("%s, %s", destinations[d].name, place.name) << d << place.position;
    }
}

void TestImageOpsBlending::stampLandsWhereItIsPut()
{
    QFETCH(int, destination);
    QFETCH(QPoint, position);
    const Destination &kind = destinations[destination];

    QImage white(8, 6, QImage::Format_RGBA8888);
    white.fill(Qt::white);
    DevilImage image;
    makeImage(image, white, kind.format, kind.type, kind.storage, kind.paletteAlpha);

    QVERIFY(overlayStamp(image, stampOf(redStamp(), true), position));
    const QString difference = firstDifference(toQImage(image), expectedOnWhite(white.size(), position), 1);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestImageOpsBlending::blendsByAlpha_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QColor>("under");
    QTest::addColumn<QColor>("stamp");
    QTest::addColumn<QColor>("expected");

    const QColor halfRed(255, 0, 0, 128);
    QTest::addRow("half on opaque") << int(IL_RGBA) << QColor(0, 0, 255) << halfRed << QColor(128, 0, 127);
    QTest::addRow("half on clear") << int(IL_RGBA) << QColor(0, 0, 255, 0) << halfRed << QColor(255, 0, 0, 128);
    // outA = 128 + 128 * 127 / 255 = 192; red = 255 * 128 * 255 / (128 * 255 + 128 * 127) = 170
    QTest::addRow("half on half") << int(IL_RGBA) << QColor(0, 0, 255, 128) << halfRed << QColor(170, 0, 85, 192);
    QTest::addRow("clear changes nothing")
        << int(IL_RGBA) << QColor(10, 20, 30, 40) << QColor(255, 0, 0, 0) << QColor(10, 20, 30, 40);
    QTest::addRow("opaque replaces") << int(IL_RGBA) << QColor(10, 20, 30, 40) << QColor(1, 2, 3) << QColor(1, 2, 3);
    QTest::addRow("half on opaque, no alpha channel")
        << int(IL_RGB) << QColor(0, 0, 255) << halfRed << QColor(128, 0, 127);
    QTest::addRow("grey half on grey") << int(IL_LUMINANCE) << QColor(200, 200, 200) << QColor(100, 100, 100, 128)
                                       << QColor(150, 150, 150);
    QTest::addRow("grey half on half grey")
        << int(IL_LUMINANCE_ALPHA) << QColor(0, 0, 0, 128) << QColor(255, 255, 255, 128) << QColor(170, 170, 170, 192);
}

void TestImageOpsBlending::blendsByAlpha()
{
    QFETCH(int, format);
    QFETCH(QColor, under);
    QFETCH(QColor, stamp);
    QFETCH(QColor, expected);

    QImage pixel(1, 1, QImage::Format_RGBA8888);
    pixel.setPixelColor(0, 0, under);
    DevilImage image;
    makeImage(image, pixel, ILenum(format), IL_UNSIGNED_BYTE);
    QImage stampPixel(1, 1, QImage::Format_RGBA8888);
    stampPixel.setPixelColor(0, 0, stamp);
    const bool colour = stamp.red() != stamp.green() || stamp.green() != stamp.blue();

    QVERIFY(overlayStamp(image, stampOf(stampPixel, colour), QPoint(0, 0)));
    const QRgb actual = toQImage(image).pixel(0, 0);
    QVERIFY2(near(actual, expected.rgba(), 1), qPrintable(describe(actual)));
}

void TestImageOpsBlending::greyImageKeepsColourOfStamp_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QColor>("stamp");
    QTest::addColumn<int>("expectedFormat");
    QTest::addColumn<QColor>("expected");

    QTest::addRow("grey stamp on grey") << int(IL_LUMINANCE) << QColor(60, 60, 60) << int(IL_LUMINANCE)
                                        << QColor(60, 60, 60);
    QTest::addRow("red stamp on grey") << int(IL_LUMINANCE) << QColor(255, 0, 0) << int(IL_RGB) << QColor(255, 0, 0);
    QTest::addRow("grey stamp on grey+alpha")
        << int(IL_LUMINANCE_ALPHA) << QColor(60, 60, 60) << int(IL_LUMINANCE_ALPHA) << QColor(60, 60, 60);
    QTest::addRow("red stamp on grey+alpha")
        << int(IL_LUMINANCE_ALPHA) << QColor(255, 0, 0) << int(IL_RGBA) << QColor(255, 0, 0);
}

void TestImageOpsBlending::greyImageKeepsColourOfStamp()
{
    QFETCH(int, format);
    QFETCH(QColor, stamp);
    QFETCH(int, expectedFormat);
    QFETCH(QColor, expected);

    QImage grey(3, 2, QImage::Format_RGBA8888);
    grey.fill(QColor(200, 200, 200));
    DevilImage image;
    makeImage(image, grey, ILenum(format), IL_UNSIGNED_BYTE);
    QImage stampPixel(1, 1, QImage::Format_RGBA8888);
    stampPixel.fill(stamp);
    const bool colour = stamp.red() != stamp.green() || stamp.green() != stamp.blue();

    QVERIFY(overlayStamp(image, stampOf(stampPixel, colour), QPoint(1, 1)));
    QCOMPARE(ilGetInteger(IL_IMAGE_FORMAT), expectedFormat);
    const QImage actual = toQImage(image);
    QCOMPARE(actual.pixel(1, 1), expected.rgba());
    QCOMPARE(actual.pixel(0, 0), qRgb(200, 200, 200));
}

void TestImageOpsBlending::preparesStampPictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<bool>("hasColour");

    QImage translucent(4, 3, QImage::Format_RGBA8888);
    translucent.fill(QColor(255, 0, 0));
    translucent.setPixelColor(2, 0, QColor(0, 0, 255, 128));
    translucent.setPixelColor(3, 2, QColor(0, 255, 0, 0));

    QImage palette(translucent.size(), QImage::Format_Indexed8);
    palette.setColorTable({qRgb(255, 0, 0), qRgba(0, 0, 255, 128), qRgba(0, 255, 0, 0)});
    palette.fill(0);
    palette.setPixel(2, 0, 1);
    palette.setPixel(3, 2, 2);
    const QString palettePath = m_folder.filePath("palette.png");
    QVERIFY(palette.save(palettePath));
    QTest::addRow("palette PNG with transparency") << palettePath << translucent << true;

    const QString rgbaPath = m_folder.filePath("rgba.png");
    QVERIFY(translucent.save(rgbaPath));
    QTest::addRow("RGBA PNG") << rgbaPath << translucent << true;

    const QString deepPath = m_folder.filePath("deep.png");
    QVERIFY(translucent.convertToFormat(QImage::Format_RGBA64).save(deepPath));
    QTest::addRow("16-bit PNG") << deepPath << translucent << true;

    QImage grey(4, 3, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    grey.setPixelColor(0, 0, QColor(10, 10, 10));
    const QString greyPath = m_folder.filePath("grey.png");
    QVERIFY(grey.save(greyPath));
    QTest::addRow("grey PNG") << greyPath << grey.convertToFormat(QImage::Format_RGBA8888) << false;

    // A colour nobody sees does not make a stamp coloured.
    QImage clearColour(2, 2, QImage::Format_RGBA8888);
    clearColour.fill(QColor(128, 128, 128));
    clearColour.setPixelColor(1, 1, QColor(255, 0, 0, 0));
    const QString clearPath = m_folder.filePath("clear.png");
    QVERIFY(clearColour.save(clearPath));
    QTest::addRow("grey with a transparent coloured pixel") << clearPath << clearColour << false;
}

void TestImageOpsBlending::preparesStampPictures()
{
    QFETCH(QString, path);
    QFETCH(QImage, expected);
    QFETCH(bool, hasColour);

    DevilImage bound;
    bound.bind();
    const std::optional<StampPicture> stamp = loadStampPicture(path);
    QVERIFY(stamp.has_value());
    QCOMPARE(ilGetInteger(IL_CUR_IMAGE), ILint(bound.name()));
    QCOMPARE(stamp->size, expected.size());
    QCOMPARE(stamp->hasColour, hasColour);
    QImage actual(stamp->rgba.data(), stamp->size.width(), stamp->size.height(), QImage::Format_RGBA8888);
    const QString difference = firstDifference(actual, expected, 0);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestImageOpsBlending::refusesMissingStampPicture()
{
    QVERIFY(!loadStampPicture(m_folder.filePath("missing.png")).has_value());
}

QTEST_MAIN(TestImageOpsBlending)
#include "tst_ImageOpsBlending.moc"
