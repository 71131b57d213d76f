#include "ImageOps.h"
#include "tst_ImageOpsSupport.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTest>

#include <limits>
#include <optional>

using namespace markwell;
using namespace imagetest;

namespace {

// A face whose glyphs keep inside its ascent, descent and advances where the machine
// has it: faces without a bold cut are emboldened by widening the glyphs, and some
// reach a pixel past their descent.
QString wellBehavedFace()
{
    const QString face = QStringLiteral("DejaVu Sans");
    return QFontDatabase::families().contains(face) ? face : defaultFontFace();
}

StampFont fontOf(qint32 pointSize, quint32 colour = 0x000000)
{
    StampFont font;
    font.face = wellBehavedFace();
    font.pointSize = pointSize;
    font.color = colour;
    return font;
}

// The smallest rectangle holding every pixel that differs from `background`.
QRect inkOf(const QImage &picture, QRgb background)
{
    QRect ink;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The same for black text on white, counting only pixels at least half covered: the
// faint anti-aliased edge of a glyph may reach a pixel past its cell.
QRect solidInkOf(const QImage &picture)
{
    QRect ink;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

class TestImageOpsText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void drawsInsideMeasuredCell_data();
    void drawsInsideMeasuredCell();
    void drawsAsPaintingOnThePicture_data();
    void drawsAsPaintingOnThePicture();
    void drawsInItsColour_data();
    void drawsInItsColour();
    void textOffTheImageDrawsNothing();

private:
    std::optional<Library> m_library;
};

void TestImageOpsText::initTestCase()
{
    m_library.emplace();
}

void TestImageOpsText::cleanupTestCase()
{
    m_library.reset();
}

void TestImageOpsText::drawsInsideMeasuredCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<StampFont>("font");
    QTest::addColumn<QPoint>("position");

    // Glyphs within the face's ascent and descent; some faces draw a bar "|" past them.
    const QString text = QStringLiteral("Hxgjy");
    StampFont bold = fontOf(40);
    bold.bold = true;
    StampFont underline = fontOf(40);
    underline.underline = true;
    StampFont strikeOut = fontOf(40);
    strikeOut.strikeOut = true;

    QTest::addRow("plain") << text << fontOf(40) << QPoint(30, 40);
    QTest::addRow("bold") << text << bold << QPoint(30, 40);
    QTest::addRow("underlined") << text << underline << QPoint(30, 40);
    QTest::addRow("struck out") << text << strikeOut << QPoint(30, 40);
    QTest::addRow("default size") << text << fontOf(20) << QPoint(5, 5);
    QTest::addRow("over the top-left corner") << text << fontOf(40) << QPoint(-20, -15);
    QTest::addRow("over the bottom-right corner") << text << fontOf(40) << QPoint(300, 170);
    QTest::addRow("no size") << QStringLiteral("H") << fontOf(0) << QPoint(10, 10);
}

void TestImageOpsText::drawsInsideMeasuredCell()
{
    QFETCH(QString, text);
    QFETCH(StampFont, font);
    QFETCH(QPoint, position);

    QImage white(400, 200, QImage::Format_RGBA8888);
    white.fill(Qt::white);
    DevilImage image;
    makeImage(image, white, IL_RGB, IL_UNSIGNED_BYTE);

    const QSize cell = measureTextStamp(text, font);
    QVERIFY(!cell.isEmpty());
    QVERIFY(drawTextStamp(image, text, font, position));

    const QImage drawn = toQImage(image);
    QVERIFY(!inkOf(drawn, qRgb(255, 255, 255)).isEmpty());
    const QRect ink = solidInkOf(drawn);
    const QRect visibleCell = QRect(position, cell) & QRect(QPoint(0, 0), white.size());
    QVERIFY2(ink.isEmpty() || visibleCell.contains(ink),
             qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside cell %5,%6 %7x%8")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())
                            .arg(visibleCell.x())
                            .arg(visibleCell.y())
                            .arg(visibleCell.width())
                            .arg(visibleCell.height())));
    // The cell is the text's, not some larger box: the ink spans most of it.
    if (visibleCell == QRect(position, cell) && !ink.isEmpty()) {
        QVERIFY(ink.width() * 10 >= cell.width() * 8);
        QVERIFY(ink.height() * 2 >= cell.height());
    }
}

void TestImageOpsText::drawsAsPaintingOnThePicture_data()
{
    QTest::addColumn<StampFont>("font");
    QTest::addColumn<QPoint>("position");

    StampFont styled = fontOf(28, 0x2060C0);
    styled.bold = true;
    styled.italic = true;
    styled.underline = true;
    StampFont designDefault = StampSettings::defaults().markFont;
    designDefault.color = 0x0000C0;
    QTest::addRow("plain") << fontOf(20) << QPoint(7, 9);
    QTest::addRow("bold italic underlined, coloured") << styled << QPoint(7, 9);
    QTest::addRow("default face") << designDefault << QPoint(7, 9);
    QTest::addRow("over the top-left corner") << styled << QPoint(-25, -12);
    QTest::addRow("over the bottom-right corner") << styled << QPoint(150, 40);
}

// Text is put on the picture the way painting it straight onto the picture at the
// cell's top-left corner would put it.
void TestImageOpsText::drawsAsPaintingOnThePicture()
{
    QFETCH(StampFont, font);
    QFETCH(QPoint, position);
    const QString text = QStringLiteral("Hxgjy \u00c5\u00e7");

    QImage expected(200, 60, QImage::Format_RGB888);
    expected.fill(QColor(250, 240, 230));
    DevilImage image;
    makeImage(image, expected, IL_RGB, IL_UNSIGNED_BYTE);
    QVERIFY(drawTextStamp(image, text, font, position));

    QFont qfont(font.face);
    qfont.setPixelSize(qRound(font.pointSize * 96.0 / 72.0));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    {
        QPainter painter(&expected);
        painter.setFont(qfont);
        painter.setPen(QColor(int(font.color & 0xFF), int((font.color >> 8) & 0xFF), int((font.color >> 16) & 0xFF)));
        painter.drawText(QPoint(position.x(), position.y() + QFontMetrics(qfont, &expected).ascent()), text);
    }
    const QString difference = firstDifference(toQImage(image), expected.convertToFormat(QImage::Format_RGBA8888), 1);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestImageOpsText::drawsInItsColour_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("type");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<int>("expectedFormat");

    // The colour is 0x00BBGGRR.
    QTest::addRow("red on RGB") << int(IL_RGB) << int(IL_UNSIGNED_BYTE) << 0x0000FFu << QColor(255, 0, 0)
                                << int(IL_RGB);
    QTest::addRow("green on BGRA") << int(IL_BGRA) << int(IL_UNSIGNED_BYTE) << 0x00FF00u << QColor(0, 255, 0)
                                   << int(IL_BGRA);
    QTest::addRow("blue on grey") << int(IL_LUMINANCE) << int(IL_UNSIGNED_BYTE) << 0xFF0000u << QColor(0, 0, 255)
                                  << int(IL_RGB);
    QTest::addRow("grey on grey") << int(IL_LUMINANCE) << int(IL_UNSIGNED_BYTE) << 0x404040u << QColor(64, 64, 64)
                                  << int(IL_LUMINANCE);
    QTest::addRow("red on palette") << int(IL_COLOUR_INDEX) << int(IL_UNSIGNED_BYTE) << 0x0000FFu << QColor(255, 0, 0)
                                    << int(IL_RGB);
    QTest::addRow("red on 16-bit") << int(IL_RGB) << int(IL_UNSIGNED_SHORT) << 0x0000FFu << QColor(255, 0, 0)
                                   << int(IL_RGB);
}

void TestImageOpsText::drawsInItsColour()
{
    QFETCH(int, format);
    QFETCH(int, type);
    QFETCH(quint32, colour);
    QFETCH(QColor, expected);
    QFETCH(int, expectedFormat);

    QImage white(120, 80, QImage::Format_RGBA8888);
    white.fill(Qt::white);
    DevilImage image;
    makeImage(image, white, ILenum(format), ILenum(type));
    StampFont font = fontOf(48, colour);
    font.bold = true;

    QVERIFY(drawTextStamp(image, QStringLiteral("H"), font, QPoint(10, 5)));
    QCOMPARE(ilGetInteger(IL_IMAGE_FORMAT), expectedFormat);
    // The stems of a bold H are solid: some pixel takes the colour itself.
    const QImage actual = toQImage(image);
    bool found = false;
    for (int y = 0; y < actual.height() && !found; ++y) {
        for (int x = 0; x < actual.width() && !found; ++x)
            found = actual.pixel(x, y) == expected.rgba();
    }
    QVERIFY(found);
}

void TestImageOpsText::textOffTheImageDrawsNothing()
{
    QImage white(50, 40, QImage::Format_RGBA8888);
    white.fill(Qt::white);
    DevilImage image;
    makeImage(image, white, IL_RGB, IL_UNSIGNED_BYTE);
    const QString text = QStringLiteral("Hxgjy");
    const QSize cell = measureTextStamp(text, fontOf(20));

    for (const QPoint position : {QPoint(50, 0), QPoint(0, 40), QPoint(-cell.width() - 2, 0),
                                  QPoint(0, -cell.height() - 2), QPoint(std::numeric_limits<int>::max(), 0),
                                  QPoint(std::numeric_limits<int>::min(), std::numeric_limits<int>::min())}) {
        QVERIFY(drawTextStamp(image, text, fontOf(20), position));
        QVERIFY(inkOf(toQImage(image), qRgb(255, 255, 255)).isEmpty());
    }
}

QTEST_MAIN(TestImageOpsText)
#include "tst_ImageOpsText.moc"
