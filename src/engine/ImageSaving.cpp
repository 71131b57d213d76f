#include "DevilFormat.h"
#include "ImageOps.h"
#include "TemporaryPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

namespace markwell {

namespace {

bool oneOf(const QString &suffix, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char *name) { return suffix == QLatin1String(name); });
}

bool isByteFormat(ILint format, std::initializer_list<ILint> formats)
{
    return ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE &&
           std::find(formats.begin(), formats.end(), format) != formats.end();
}

// The format the bound image has to be converted to before DevIL writes it under
// `suffix`, or 0 when it can go as it is. DevIL writes some combinations wrongly or
// not at all: grey with alpha fails as TGA and PSD, floating point fails as PNG and
// comes out wrong as TIFF, and its own reader can't read back the grey TIFFs and
// palette PSDs it writes. JPEG holds no alpha and no palette anyway.
ILenum conversionFor(const QString &suffix)
{
    const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
    const ILint type = ilGetInteger(IL_IMAGE_TYPE);
    const bool alpha = boundImageHasAlpha();
    const bool grey = isGreyFormat(format);
    const ILenum colour = alpha ? IL_RGBA : IL_RGB;

    if (oneOf(suffix, {"jpg", "jpeg", "jpe"})) {
        if (isByteFormat(format, {IL_RGB, IL_BGR, IL_LUMINANCE}))
            return 0;
        return grey ? IL_LUMINANCE : IL_RGB; // JPEG has no transparency
    }
    if (suffix == QLatin1String("png")) {
        const bool knownFormat = format == IL_RGB || format == IL_RGBA || format == IL_BGR || format == IL_BGRA ||
                                 grey || format == IL_COLOUR_INDEX;
        if (knownFormat && (type == IL_UNSIGNED_BYTE || type == IL_UNSIGNED_SHORT))
            return 0;
        return grey ? ILenum(format) : colour;
    }
    if (suffix == QLatin1String("bmp")) {
        if (isByteFormat(format, {IL_RGB, IL_RGBA, IL_BGR, IL_BGRA, IL_LUMINANCE, IL_LUMINANCE_ALPHA, IL_COLOUR_INDEX}))
            return 0;
        return grey ? ILenum(format) : colour;
    }
    if (oneOf(suffix, {"tga", "vda", "icb", "vst"})) {
        if (isByteFormat(format, {IL_RGB, IL_RGBA, IL_BGR, IL_BGRA, IL_LUMINANCE}))
            return 0;
        return format == IL_LUMINANCE ? IL_LUMINANCE : colour;
    }
    if (oneOf(suffix, {"tif", "tiff"})) {
        if (isByteFormat(format, {IL_RGB, IL_RGBA, IL_BGR, IL_BGRA, IL_COLOUR_INDEX}))
            return 0;
        return colour;
    }
    if (suffix == QLatin1String("psd")) {
        if (isByteFormat(format, {IL_RGB, IL_RGBA, IL_BGR, IL_BGRA}))
            return 0;
        return colour;
    }
    return 0;
}

quint16 littleEndian16(const char *bytes)
{
    return quint16(uchar(bytes[0]) | (uchar(bytes[1]) << 8));
}

// Rewrites the header and row order of a TGA file DevIL has just written.
// DevIL writes TGA files bottom row first, as the format's default. Readers that keep
// the rows in file order show such a file upside down, so the rows are turned to top
// row first and the header says so; readers that follow the header see the same
// picture either way. Run-length data keeps its order.
// DevIL also leaves the screen offsets of the picture uninitialised (memory checkers
// see stray bytes written there); a single picture sits at 0,0.
bool tidyTargaFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    constexpr qsizetype HeaderSize = 18;
    if (bytes.size() < HeaderSize)
        return false;
    std::fill(bytes.begin() + 8, bytes.begin() + 12, '\0');

    const int idLength = uchar(bytes[0]);
    const bool hasColourMap = bytes[1] != 0;
    const int imageType = uchar(bytes[2]);
    const int colourMapLength = littleEndian16(bytes.constData() + 5);
    const int colourMapEntryBits = uchar(bytes[7]);
    const qsizetype width = littleEndian16(bytes.constData() + 12);
    const qsizetype height = littleEndian16(bytes.constData() + 14);
    const int pixelBits = uchar(bytes[16]);
    const int descriptor = uchar(bytes[17]);
    constexpr int TopRowFirst = 0x20;
    const bool uncompressed = imageType >= 1 && imageType <= 3;
    if ((descriptor & TopRowFirst) == 0 && uncompressed) {
        const qsizetype dataStart =
            HeaderSize + idLength + (hasColourMap ? qsizetype(colourMapLength) * ((colourMapEntryBits + 7) / 8) : 0);
        const qsizetype rowBytes = width * ((pixelBits + 7) / 8);
        if (dataStart + rowBytes * height > bytes.size())
            return false;
        char *rows = bytes.data() + dataStart;
        for (qsizetype top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(rows + top * rowBytes, rows + (top + 1) * rowBytes, rows + bottom * rowBytes);
        bytes[17] = char(descriptor | TopRowFirst);
    }
    return file.seek(0) && file.write(bytes) == bytes.size() && file.flush();
}

// Writes the bound image to `path` with DevIL; converts a copy first when DevIL
// can't write the image's own format under that extension.
bool writeWithDevil(const QString &path, const QString &suffix)
{
    const ILenum target = conversionFor(suffix);
    if (target == 0)
        return ilSaveImage(devilPath(path).constData());

    const ILuint original = ILuint(ilGetInteger(IL_CUR_IMAGE));
    const ILuint copy = ilCloneCurImage();
    if (copy == 0)
        return false;
    ilBindImage(copy);
    const bool saved = ilConvertImage(target, IL_UNSIGNED_BYTE) && ilSaveImage(devilPath(path).constData());
    ilDeleteImages(1, &copy);
    ilBindImage(original);
    return saved;
}

} // namespace

bool saveImage(DevilImage &image, const QString &path)
{
    image.bind();
    clearDevilErrors();
    const QFileInfo destination(path);
    const QString suffix = destination.suffix().toLower();
    if (ilGetData() == nullptr || suffix.isEmpty() || destination.isDir() || !destination.absoluteDir().exists())
        return false;

    const QString temporary = temporaryPathBeside(destination, suffix);
    if (temporary.isEmpty())
        return false;
    bool saved = writeWithDevil(temporary, suffix);
    clearDevilErrors();
    if (saved && oneOf(suffix, {"tga", "vda", "icb", "vst"}))
        saved = tidyTargaFile(temporary);
    // rename() replaces the destination in one step: a reader sees the old file or
    // the new one, never a part of either.
    if (saved)
        saved =
            std::rename(devilPath(temporary).constData(), devilPath(destination.absoluteFilePath()).constData()) == 0;
    if (!saved)
        QFile::remove(temporary);
    return saved;
}

} // namespace markwell
