#include "ImageOps.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace markwell {

namespace {

// Fonts and text drawing need the GUI application's font database.
bool fontsAvailable()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

// Beyond this a glyph is larger than any image the program is made for, and font
// engines give up on it.
constexpr int MaxPixelSize = 16384;

// Metrics for drawing on an image, which is where the text goes, rather than for the
// screen.
QFontMetrics imageMetrics(const QFont &font)
{
    static const QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    return QFontMetrics(font, &device);
}

// A rectangle in wide coordinates, so positions near the ends of the 32-bit range
// can't overflow.
struct Span
{
    qint64 left;
    qint64 top;
    qint64 right;
    qint64 bottom;
};

} // namespace

QFont stampQFont(const StampFont &font)
{
    QFont result(font.face);
    const long pixels = std::lround(double(font.pointSize) * 96.0 / 72.0);
    result.setPixelSize(int(std::clamp<long>(pixels, 1, MaxPixelSize)));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

QSize measureTextStamp(const QString &text, const StampFont &font)
{
    if (!fontsAvailable())
        return {};
    const QFontMetrics metrics = imageMetrics(stampQFont(font));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

std::optional<PlacedStamp> textStampLayer(const QString &text, const StampFont &font, QPoint position, QSize imageSize)
{
    if (!fontsAvailable() || imageSize.isEmpty())
        return std::nullopt;
    if (text.isEmpty())
        return PlacedStamp{};

    const QFont qfont = stampQFont(font);
    const QFontMetrics metrics = imageMetrics(qfont);
    // Everything the text may touch: its cell, and the ink of glyphs that reach past
    // it (italics, accents), with a pixel of anti-aliasing around the ink.
    const qint64 baseline = qint64(position.y()) + metrics.ascent();
    const QRect ink = metrics.boundingRect(text).adjusted(-1, -1, 1, 1);
    const Span reach{
        std::min(qint64(position.x()), position.x() + qint64(ink.left())),
        std::min(qint64(position.y()), baseline + ink.top()),
        std::max(position.x() + qint64(metrics.horizontalAdvance(text)), position.x() + qint64(ink.right()) + 1),
        std::max(position.y() + qint64(metrics.height()), baseline + ink.bottom() + 1)};
    // Only the part on the image is drawn, so the layer never outgrows the image.
    const Span drawn{std::max<qint64>(reach.left, 0), std::max<qint64>(reach.top, 0),
                     std::min<qint64>(reach.right, imageSize.width()),
                     std::min<qint64>(reach.bottom, imageSize.height())};
    if (drawn.left >= drawn.right || drawn.top >= drawn.bottom)
        return PlacedStamp{};

    // The text is drawn on a transparent layer and laid on the image like a picture
    // stamp, which works for every pixel format and keeps its colour on grey images.
    QImage layer(int(drawn.right - drawn.left), int(drawn.bottom - drawn.top), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return std::nullopt;
    layer.fill(Qt::transparent);
    const QColor colour = colorFromBgr(font.color);
    {
        QPainter painter(&layer);
        painter.setFont(qfont);
        painter.setPen(colour);
        painter.drawText(QPoint(int(position.x() - drawn.left), int(baseline - drawn.top)), text);
    }
    layer.convertTo(QImage::Format_RGBA8888);

    PlacedStamp placed;
    placed.position = QPoint(int(drawn.left), int(drawn.top));
    placed.stamp.size = layer.size();
    placed.stamp.hasColour = colour.red() != colour.green() || colour.green() != colour.blue();
    const std::size_t rowBytes = std::size_t(layer.width()) * 4;
    placed.stamp.rgba.resize(rowBytes * std::size_t(layer.height()));
    for (int y = 0; y < layer.height(); ++y)
        std::memcpy(placed.stamp.rgba.data() + std::size_t(y) * rowBytes, layer.constScanLine(y), rowBytes);
    return placed;
}

bool drawTextStamp(DevilImage &image, const QString &text, const StampFont &font, QPoint position)
{
    const QSize imageSize = image.size();
    if (ilGetData() == nullptr)
        return false;
    const std::optional<PlacedStamp> layer = textStampLayer(text, font, position, imageSize);
    if (!layer)
        return false;
    if (layer->stamp.size.isEmpty())
        return true;
    return overlayStamp(image, layer->stamp, layer->position);
}

} // namespace markwell
