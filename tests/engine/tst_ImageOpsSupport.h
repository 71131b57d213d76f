#pragma once

// Helpers shared by the image operation tests: building DevIL images in any pixel
// format from a QImage, and reading any DevIL image back as straight RGBA.

#include "ImageOps.h"

#include <IL/il.h>
#include <IL/ilu.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace imagetest {

// Holds the library for the whole of a test, as every user of it must.
struct Library
{
    std::unique_lock<std::timed_mutex> lock = markwell::lockImageLibrary();
    markwell::ImageLibrarySession session;
};

// Four equal blocks: red top left, lime top right, blue bottom left, white bottom right.
inline QImage quadrants(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            QColor colour = Qt::white;
            if (!right && !bottom)
                colour = Qt::red;
            else if (right && !bottom)
                colour = QColor(0, 255, 0);
            else if (!right && bottom)
                colour = Qt::blue;
            picture.setPixelColor(x, y, colour);
        }
    }
    return picture;
}

// The bound image's pixels as straight 8-bit RGBA, top row first, whatever its format
// and row order. The image itself is left as it was.
inline QImage toQImage(const markwell::DevilImage &image)
{
    image.bind();
    const ILuint copy = ilCloneCurImage();
    ilBindImage(copy);
    ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    QImage result(width, height, QImage::Format_RGBA8888);
    const ILubyte *data = ilGetData();
    for (int y = 0; y < height; ++y) {
        const int row = bottomUp ? height - 1 - y : y;
        std::memcpy(result.scanLine(y), data + std::size_t(row) * std::size_t(width) * 4, std::size_t(width) * 4);
    }
    ilDeleteImages(1, &copy);
    image.bind();
    return result;
}

enum class Storage { TopRowFirst, BottomRowFirst };

// Puts `picture` into `image` in the given DevIL format and type. IL_COLOUR_INDEX
// builds a palette of the picture's colours, with alpha entries when `paletteAlpha`.
inline void makeImage(markwell::DevilImage &image, const QImage &picture, ILenum format, ILenum type,
                      Storage storage = Storage::TopRowFirst, bool paletteAlpha = false)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    const auto width = ILuint(rgba.width());
    const auto height = ILuint(rgba.height());
    image.bind();
    if (format == IL_COLOUR_INDEX) {
        std::vector<QRgb> colours;
        std::vector<ILubyte> indexes;
        for (int y = 0; y < rgba.height(); ++y) {
            for (int x = 0; x < rgba.width(); ++x) {
                const QRgb colour = rgba.pixel(x, y);
                auto found = std::find(colours.begin(), colours.end(), colour);
                if (found == colours.end())
                    found = colours.insert(colours.end(), colour);
                indexes.push_back(ILubyte(found - colours.begin()));
            }
        }
        ilTexImage(width, height, 1, 1, IL_COLOUR_INDEX, IL_UNSIGNED_BYTE, indexes.data());
        std::vector<ILubyte> palette;
        for (QRgb colour : colours) {
            palette.insert(palette.end(), {ILubyte(qRed(colour)), ILubyte(qGreen(colour)), ILubyte(qBlue(colour))});
            if (paletteAlpha)
                palette.push_back(ILubyte(qAlpha(colour)));
        }
        ilRegisterPal(palette.data(), ILuint(palette.size()), paletteAlpha ? IL_PAL_RGBA32 : IL_PAL_RGB24);
    } else {
        std::vector<ILubyte> pixels(std::size_t(width) * height * 4);
        for (ILuint y = 0; y < height; ++y)
            std::memcpy(pixels.data() + std::size_t(y) * width * 4, rgba.constScanLine(int(y)), std::size_t(width) * 4);
        ilTexImage(width, height, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
        ilConvertImage(format, type);
    }
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    if (storage == Storage::BottomRowFirst) {
        iluFlipImage();
        ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
    }
}

inline bool near(QRgb actual, QRgb expected, int tolerance)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
           std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
}

inline QString describe(QRgb colour)
{
    return QStringLiteral("(%1,%2,%3,%4)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour)).arg(qAlpha(colour));
}

// Empty when the two pictures match within `tolerance` at every pixel, otherwise the
// first pixel that differs.
inline QString firstDifference(const QImage &actual, const QImage &expected, int tolerance)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb got = actual.pixel(x, y);
            const QRgb want = expected.pixel(x, y);
            if (!near(got, want, tolerance))
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(describe(got), describe(want));
        }
    }
    return {};
}

// A stamp picture made from a QImage, as the engine prepares one from a file.
inline markwell::StampPicture stampOf(const QImage &picture)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    markwell::StampPicture stamp;
    stamp.size = rgba.size();
    for (int y = 0; y < rgba.height(); ++y)
        stamp.rgba.insert(stamp.rgba.end(), rgba.constScanLine(y), rgba.constScanLine(y) + rgba.width() * 4);
    for (std::size_t i = 0; i < stamp.rgba.size() && !stamp.hasColour; i += 4)
        stamp.hasColour =
            stamp.rgba[i + 3] != 0 && (stamp.rgba[i] != stamp.rgba[i + 1] || stamp.rgba[i + 1] != stamp.rgba[i + 2]);
    return stamp;
}

} // namespace imagetest
