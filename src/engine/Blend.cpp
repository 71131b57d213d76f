#include "DevilFormat.h"
#include "ImageOps.h"

#include <algorithm>

namespace markwell {

namespace {

// Where the channels of one pixel sit in the bound image's bytes.
struct PixelLayout
{
    int channels = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = -1; // -1: no alpha channel
    bool grey = false;
};

std::optional<PixelLayout> layoutOf(ILint format)
{
    switch (format) {
    case IL_RGB:
        return PixelLayout{3, 0, 1, 2, -1, false};
    case IL_RGBA:
        return PixelLayout{4, 0, 1, 2, 3, false};
    case IL_BGR:
        return PixelLayout{3, 2, 1, 0, -1, false};
    case IL_BGRA:
        return PixelLayout{4, 2, 1, 0, 3, false};
    case IL_LUMINANCE:
        return PixelLayout{1, 0, 0, 0, -1, true};
    case IL_LUMINANCE_ALPHA:
        return PixelLayout{2, 0, 0, 0, 1, true};
    default:
        return std::nullopt;
    }
}

// Brings the bound image into an 8-bit format the blending works on in place. Palette
// images and deeper or floating-point samples become 8-bit RGB (RGBA when they are
// transparent); a grey image under a coloured stamp becomes RGB so the colour
// survives; a grey image under a grey stamp stays grey.
std::optional<PixelLayout> prepareForBlending(bool colouredStamp)
{
    const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
    const ILint type = ilGetInteger(IL_IMAGE_TYPE);
    const bool alpha = boundImageHasAlpha();
    std::optional<PixelLayout> layout = layoutOf(format);
    const bool greyToColour = layout && layout->grey && colouredStamp;
    if (layout && type == IL_UNSIGNED_BYTE && !greyToColour)
        return layout;

    ILenum target = alpha ? IL_RGBA : IL_RGB;
    if (isGreyFormat(format) && !colouredStamp)
        target = ILenum(format);
    if (!ilConvertImage(target, IL_UNSIGNED_BYTE))
        return std::nullopt;
    return layoutOf(ILint(target));
}

// Rounded (a * b) / 255 for a, b in 0..255.
inline unsigned scale255(unsigned a, unsigned b)
{
    return (a * b + 127) / 255;
}

inline unsigned greyOf(const std::uint8_t *rgba)
{
    return (rgba[0] * 299u + rgba[1] * 587u + rgba[2] * 114u + 500u) / 1000u;
}

// Straight-alpha "over" of one stamp pixel on one image pixel.
inline void blendPixel(std::uint8_t *pixel, const std::uint8_t *stamp, const PixelLayout &layout)
{
    const unsigned a = stamp[3];
    if (a == 0)
        return;
    unsigned source[3] = {stamp[0], stamp[1], stamp[2]};
    const int offsets[3] = {layout.red, layout.green, layout.blue};
    const int colourChannels = layout.grey ? 1 : 3;
    if (layout.grey)
        source[0] = greyOf(stamp);

    if (layout.alpha < 0) {
        for (int c = 0; c < colourChannels; ++c) {
            std::uint8_t &d = pixel[offsets[c]];
            d = std::uint8_t((source[c] * a + d * (255 - a) + 127) / 255);
        }
        return;
    }

    // With alpha on both sides the colours are weighted by what each contributes:
    // the stamp a, the image its own alpha times what the stamp lets through.
    const unsigned imageAlpha = pixel[layout.alpha];
    const unsigned stampWeight = a * 255;
    const unsigned imageWeight = imageAlpha * (255 - a);
    const unsigned total = stampWeight + imageWeight;
    for (int c = 0; c < colourChannels; ++c) {
        std::uint8_t &d = pixel[offsets[c]];
        d = std::uint8_t((source[c] * stampWeight + d * imageWeight + total / 2) / total);
    }
    pixel[layout.alpha] = std::uint8_t((total + 127) / 255);
}

} // namespace

bool overlayStamp(DevilImage &image, const StampPicture &stamp, QPoint position)
{
    image.bind();
    const qint64 width = ilGetInteger(IL_IMAGE_WIDTH);
    const qint64 height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (ilGetData() == nullptr || width <= 0 || height <= 0 || ilGetInteger(IL_IMAGE_DEPTH) != 1)
        return false;
    const qint64 stampWidth = stamp.size.width();
    const qint64 stampHeight = stamp.size.height();
    if (stampWidth < 0 || stampHeight < 0 || stamp.rgba.size() != std::size_t(stampWidth * stampHeight * 4))
        return false;

    // The part of the stamp that falls on the image, in image coordinates; worked out
    // wide so no position can overflow it.
    const qint64 left = std::max<qint64>(0, position.x());
    const qint64 top = std::max<qint64>(0, position.y());
    const qint64 right = std::min<qint64>(width, position.x() + stampWidth);
    const qint64 bottom = std::min<qint64>(height, position.y() + stampHeight);
    if (left >= right || top >= bottom)
        return true;

    const std::optional<PixelLayout> layout = prepareForBlending(stamp.hasColour);
    clearDevilErrors();
    if (!layout)
        return false;
    std::uint8_t *data = ilGetData();
    if (data == nullptr)
        return false;
    const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(layout->channels);

    for (qint64 y = top; y < bottom; ++y) {
        const qint64 row = bottomUp ? height - 1 - y : y;
        std::uint8_t *pixel = data + std::size_t(row) * rowBytes + std::size_t(left) * std::size_t(layout->channels);
        const std::uint8_t *source =
            stamp.rgba.data() +
            (std::size_t(y - position.y()) * std::size_t(stampWidth) + std::size_t(left - position.x())) * 4;
        for (qint64 x = left; x < right; ++x, pixel += layout->channels, source += 4)
            blendPixel(pixel, source, *layout);
    }
    return true;
}

bool blendStampRow(std::uint8_t *row, int width, int format, const StampPicture &stamp, QPoint position, int y)
{
    const std::optional<PixelLayout> layout = layoutOf(format);
    if (!layout)
        return false;
    const qint64 stampRow = qint64(y) - position.y();
    if (stampRow < 0 || stampRow >= stamp.size.height())
        return true;
    const qint64 left = std::max<qint64>(0, position.x());
    const qint64 right = std::min<qint64>(width, qint64(position.x()) + stamp.size.width());
    std::uint8_t *pixel = row + std::size_t(left) * std::size_t(layout->channels);
    const std::uint8_t *source =
        stamp.rgba.data() +
        (std::size_t(stampRow) * std::size_t(stamp.size.width()) + std::size_t(left - position.x())) * 4;
    for (qint64 x = left; x < right; ++x, pixel += layout->channels, source += 4)
        blendPixel(pixel, source, *layout);
    return true;
}

} // namespace markwell
