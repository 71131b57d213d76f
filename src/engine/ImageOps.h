#pragma once

#include "ImageLibrary.h"
#include "StampSettings.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace markwell {

// Loads an image file into `image` (which stays bound), the right way up and in the
// right colours, whatever the file's extension says: DevIL by extension first, then
// DevIL by content, then Qt's image reader. False when none of them can read it.
bool loadImage(DevilImage &image, const QString &path);

// A stamp picture prepared once per run: straight (not premultiplied) 8-bit RGBA rows,
// top row first.
struct StampPicture
{
    QSize size;
    std::vector<std::uint8_t> rgba;
    bool hasColour = false; // some pixel is not a shade of grey
};

// Loads and prepares a stamp picture. Needs an open ImageLibrarySession; leaves no
// image behind.
std::optional<StampPicture> loadStampPicture(const QString &path);

// Lays the stamp on the bound image with its top-left corner at `position`, blended by
// its alpha and clipped at the image's edges for any position. Works in the image's
// own pixel format where it can and converts it otherwise (once).
bool overlayStamp(DevilImage &image, const StampPicture &stamp, QPoint position);

// Blends the part of the stamp that falls on image row `y` into `row`, `width` 8-bit
// pixels in the DevIL format `format` (RGB, BGR, RGBA, BGRA, grey, grey with alpha):
// the same pixels overlayStamp gives, one row at a time. False for another format.
bool blendStampRow(std::uint8_t *row, int width, int format, const StampPicture &stamp, QPoint position, int y);

// The font a text stamp is drawn in: point sizes map to pixels at 96 pixels per inch.
QFont stampQFont(const StampFont &font);
// A stamp colour (0x00BBGGRR) as a QColor, and back.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor &color);

// The cell a text stamp takes: exactly the rectangle that drawTextStamp draws in.
// Point sizes map to pixels at 96 pixels per inch, whatever the screen.
QSize measureTextStamp(const QString &text, const StampFont &font);

// A stamp picture and the place it goes on an image.
struct PlacedStamp
{
    StampPicture stamp; // empty when nothing falls on the image
    QPoint position;
};

// The layer a text stamp lays on an image of `imageSize`: `text` drawn in `font` with
// no background, the top-left of its cell at `position`, cut to the image. Nothing when
// fonts are not to be had.
std::optional<PlacedStamp> textStampLayer(const QString &text, const StampFont &font, QPoint position, QSize imageSize);

// Draws `text` in `font` with no background, the top-left of its cell at `position`.
bool drawTextStamp(DevilImage &image, const QString &text, const StampFont &font, QPoint position);

// Writes the bound image to `path` in the format its extension names, with the JPEG
// quality already set on the library. The image goes to a temporary file beside the
// destination first and replaces the destination only once it was written whole; on
// failure nothing is left behind and an existing destination is untouched.
bool saveImage(DevilImage &image, const QString &path);

} // namespace markwell
