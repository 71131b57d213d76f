#include "DevilFormat.h"
#include "ImageOps.h"

#include <IL/ilu.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <limits>

namespace markwell {

namespace {

// DevIL's format probes read fixed-size headers without checking how much of them
// they got. Zeros after the file's bytes give a short file a defined header that
// matches no format, instead of whatever the memory held.
constexpr qint64 ProbePadding = 4096;

// Larger files are left to Qt's reader rather than copied into memory for DevIL.
constexpr qint64 MaxInMemoryFile = qint64(1) << 30;

// The file's bytes followed by ProbePadding zero bytes; empty when it can't be read.
QByteArray readPadded(const QString &path, qint64 &fileSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    fileSize = file.size();
    if (fileSize <= 0 || fileSize > MaxInMemoryFile)
        return {};
    QByteArray bytes(fileSize + ProbePadding, '\0');
    if (file.read(bytes.data(), fileSize) != fileSize)
        return {};
    return bytes;
}

// Reads the file by its content when its extension named the wrong format.
bool loadByContent(const QString &path, ILenum &contentType)
{
    qint64 fileSize = 0;
    const QByteArray bytes = readPadded(path, fileSize);
    contentType = IL_TYPE_UNKNOWN;
    if (bytes.isEmpty())
        return false;
    contentType = ilDetermineTypeL(bytes.constData(), ILuint(bytes.size()));
    if (contentType == IL_TYPE_UNKNOWN || contentType == ilTypeFromExt(devilPath(path).constData()))
        return false;
    return ilLoadL(contentType, bytes.constData(), ILuint(fileSize));
}

// Qt reads some files DevIL can't (BMP with version 4 and 5 headers, formats DevIL
// lacks). The pixels go into the bound image as 8-bit grey, RGB or RGBA.
bool loadWithQt(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return false;

    ILenum format = IL_RGB;
    ILubyte channels = 3;
    if (picture.hasAlphaChannel()) {
        picture.convertTo(QImage::Format_RGBA8888);
        format = IL_RGBA;
        channels = 4;
    } else if (picture.isGrayscale()) {
        picture.convertTo(QImage::Format_Grayscale8);
        format = IL_LUMINANCE;
        channels = 1;
    } else {
        picture.convertTo(QImage::Format_RGB888);
    }
    if (picture.isNull())
        return false;

    const auto width = ILuint(picture.width());
    const auto height = ILuint(picture.height());
    if (!ilTexImage(width, height, 1, channels, format, IL_UNSIGNED_BYTE, nullptr))
        return false;
    ILubyte *data = ilGetData();
    if (data == nullptr)
        return false;
    const std::size_t rowBytes = std::size_t(width) * channels;
    for (ILuint y = 0; y < height; ++y)
        std::memcpy(data + y * rowBytes, picture.constScanLine(int(y)), rowBytes);
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    return true;
}

quint16 bigEndian16(const uchar *bytes)
{
    return quint16((bytes[0] << 8) | bytes[1]);
}

// The number of colour components of a JPEG file's frame, 0 when the file is not a
// JPEG or its frame header can't be found.
int jpegComponentCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    uchar head[2];
    if (file.read(reinterpret_cast<char *>(head), 2) != 2 || head[0] != 0xFF || head[1] != 0xD8)
        return 0;
    for (;;) {
        uchar marker[4];
        if (file.read(reinterpret_cast<char *>(marker), 2) != 2 || marker[0] != 0xFF)
            return 0;
        while (marker[1] == 0xFF) { // fill bytes before a marker
            if (!file.getChar(reinterpret_cast<char *>(&marker[1])))
                return 0;
        }
        const uchar code = marker[1];
        if (code == 0xD9 || code == 0xDA) // end of image, or scan data before any frame
            return 0;
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) // markers without a length
            continue;
        if (file.read(reinterpret_cast<char *>(marker + 2), 2) != 2)
            return 0;
        const quint16 length = bigEndian16(marker + 2);
        if (length < 2)
            return 0;
        const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frame) {
            uchar header[6]; // precision, height, width, component count
            if (file.read(reinterpret_cast<char *>(header), 6) != 6)
                return 0;
            return header[5];
        }
        if (!file.seek(file.pos() + length - 2))
            return 0;
    }
}

// DevIL hands a CMYK JPEG over as RGBA with the file's ink values in it, and the
// black ink as alpha. The values are stored inverted, as Adobe's programs write them
// and as every common reader assumes, so each colour is its value scaled by the
// inverted black.
void convertCmykToRgb()
{
    ILubyte *data = ilGetData();
    const std::size_t pixels = std::size_t(ilGetInteger(IL_IMAGE_WIDTH)) * std::size_t(ilGetInteger(IL_IMAGE_HEIGHT));
    for (std::size_t i = 0; i < pixels; ++i) {
        ILubyte *pixel = data + i * 4;
        const unsigned inverseBlack = pixel[3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = ILubyte((pixel[c] * inverseBlack + 127) / 255);
        pixel[3] = 255;
    }
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
}

// Brings a freshly loaded image to top-row-first storage and true colours.
bool normaliseLoaded(const QString &path, bool fromDevil)
{
    if (ilGetData() == nullptr || ilGetInteger(IL_IMAGE_WIDTH) <= 0 || ilGetInteger(IL_IMAGE_HEIGHT) <= 0)
        return false;
    // Volume images have no place in a batch of photographs.
    if (ilGetInteger(IL_IMAGE_DEPTH) != 1)
        return false;
    if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT) {
        if (!iluFlipImage())
            return false;
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    }
    if (fromDevil && ilGetInteger(IL_IMAGE_FORMAT) == IL_RGBA && ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE &&
        jpegComponentCount(path) == 4)
        convertCmykToRgb();
    return true;
}

} // namespace

bool loadImage(DevilImage &image, const QString &path)
{
    image.bind();
    clearDevilErrors();
    // A folder or a missing file would reach the decoders as a name they can't open.
    if (!QFileInfo(path).isFile())
        return false;

    bool fromDevil = ilLoadImage(devilPath(path).constData());
    if (!fromDevil) {
        ILenum contentType = IL_TYPE_UNKNOWN;
        fromDevil = loadByContent(path, contentType);
        // Qt's reader steps in only for files DevIL doesn't know or reads only in part
        // (BMP). A file DevIL knows and can't read is damaged: Qt would fill a cut-off
        // JPEG with grey and call it a success.
        const bool qtMayTry = contentType == IL_TYPE_UNKNOWN || contentType == IL_BMP;
        if (!fromDevil && !(qtMayTry && loadWithQt(path))) {
            clearDevilErrors();
            return false;
        }
    }
    const bool normal = normaliseLoaded(path, fromDevil);
    clearDevilErrors();
    return normal;
}

std::optional<StampPicture> loadStampPicture(const QString &path)
{
    const ILint previous = ilGetInteger(IL_CUR_IMAGE);
    std::optional<StampPicture> result;
    {
        DevilImage image;
        if (loadImage(image, path) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
            const int width = ilGetInteger(IL_IMAGE_WIDTH);
            const int height = ilGetInteger(IL_IMAGE_HEIGHT);
            const ILubyte *data = ilGetData();
            if (data != nullptr) {
                StampPicture picture;
                picture.size = QSize(width, height);
                picture.rgba.assign(data, data + std::size_t(width) * std::size_t(height) * 4);
                // Only pixels that show count: a transparent pixel's colour never reaches
                // the image.
                for (std::size_t i = 0; i < picture.rgba.size() && !picture.hasColour; i += 4) {
                    const std::uint8_t *pixel = picture.rgba.data() + i;
                    picture.hasColour = pixel[3] != 0 && (pixel[0] != pixel[1] || pixel[1] != pixel[2]);
                }
                result = std::move(picture);
            }
        }
    }
    clearDevilErrors();
    ilBindImage(ILuint(previous));
    return result;
}

} // namespace markwell
