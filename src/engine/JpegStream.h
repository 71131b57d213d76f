#pragma once

#include "ImageOps.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace markwell {

// The fast way from a JPEG to a stamped JPEG: the picture is decoded, stamped and
// encoded a few rows at a time, so only those rows are ever in memory and only the rows
// under the stamp are touched, with decoding and encoding on two threads. It takes
// 8-bit YCbCr and grey JPEGs; everything else goes the general way through DevIL.
class JpegStream
{
public:
    enum class Outcome { Saved, NotLoaded, NotSaved };

    // Whether a result with this name is a JPEG.
    static bool writesJpeg(const QString &destination);

    // The picture's size when the file is a JPEG this way can take, read from its header.
    static std::optional<QSize> probe(const QString &source);

    // Stamps `source` with `stamp` at `position` and writes it to `destination` with the
    // JPEG quality `quality` (0..99), through a temporary file that replaces the
    // destination only once it is whole. A damaged source is not loaded.
    static Outcome stampAndSave(const QString &source, const StampPicture &stamp, QPoint position, int quality,
                                const QString &destination);
};

} // namespace markwell
