#include "JpegStream.h"

#include "TemporaryPath.h"

#include <IL/il.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <jpeglib.h>

namespace markwell {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps
// back to the setjmp of the function that made the call. The functions that set a jump
// point create no C++ objects after it, so the jump skips no destructor.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool warned = false;
};

extern "C" void jumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// A warning means damaged data (a file cut short, a bad marker): libjpeg would fill in
// grey and go on, but such a file counts as not loaded, as DevIL counts it.
extern "C" void noteWarning(j_common_ptr info, int level)
{
    if (level < 0)
        reinterpret_cast<ErrorManager *>(info->err)->warned = true;
}

void useErrorManager(jpeg_common_struct *object, ErrorManager &errors)
{
    object->err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOnError;
    errors.base.emit_message = noteWarning;
}

struct FileCloser
{
    void operator()(std::FILE *file) const
    {
        if (file)
            std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const QString &path, const char *mode)
{
    return File(std::fopen(QFile::encodeName(path).constData(), mode));
}

bool acceptable(const jpeg_decompress_struct &info)
{
    return info.data_precision == 8 && ((info.jpeg_color_space == JCS_YCbCr && info.num_components == 3) ||
                                        (info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1));
}

// Rows travel from the decoding thread to the encoding one in strips. Strips go round:
// free ones to the decoder, full ones to the encoder, and back.
constexpr int StripRows = 16;
constexpr int StripCount = 4;

struct Strip
{
    std::vector<JSAMPLE> samples;
    std::vector<JSAMPROW> rows;
    int firstRow = 0;
    int rowCount = 0;
};

class StripQueue
{
public:
    // The next free strip, or nothing once the encoder has given up.
    Strip *takeFree()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_free.empty() || m_encoderStopped; });
        if (m_encoderStopped)
            return nullptr;
        Strip *strip = m_free.front();
        m_free.pop_front();
        return strip;
    }
    void putFull(Strip *strip)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_full.push_back(strip);
        }
        m_changed.notify_all();
    }
    // The next full strip, or nothing once the decoder is done (or failed).
    Strip *takeFull()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_full.empty() || m_decoderDone; });
        if (m_full.empty())
            return nullptr;
        Strip *strip = m_full.front();
        m_full.pop_front();
        return strip;
    }
    void putFree(Strip *strip)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_free.push_back(strip);
        }
        m_changed.notify_all();
    }
    void decoderDone()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_decoderDone = true;
        }
        m_changed.notify_all();
    }
    void encoderStopped()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_encoderStopped = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Strip *> m_free;
    std::deque<Strip *> m_full;
    bool m_decoderDone = false;
    bool m_encoderStopped = false;
};

struct Decoder
{
    jpeg_decompress_struct info{};
    ErrorManager errors;
    bool created = false;
    bool failed = false;
};

struct Encoder
{
    jpeg_compress_struct info{};
    ErrorManager errors;
    bool created = false;
    bool failed = false;
};

// A grey picture stays grey under a grey stamp and becomes colour under a coloured one,
// as it does the general way.
bool startDecoding(Decoder &decoder, std::FILE *source, bool colouredStamp)
{
    useErrorManager(reinterpret_cast<jpeg_common_struct *>(&decoder.info), decoder.errors);
    if (setjmp(decoder.errors.jump))
        return false;
    jpeg_create_decompress(&decoder.info);
    decoder.created = true;
    jpeg_stdio_src(&decoder.info, source);
    jpeg_read_header(&decoder.info, TRUE);
    if (!acceptable(decoder.info))
        return false;
    const bool grey = decoder.info.jpeg_color_space == JCS_GRAYSCALE && !colouredStamp;
    decoder.info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&decoder.info);
    return true;
}

bool startEncoding(Encoder &encoder, std::FILE *destination, const Decoder &decoder, int quality)
{
    useErrorManager(reinterpret_cast<jpeg_common_struct *>(&encoder.info), encoder.errors);
    if (setjmp(encoder.errors.jump))
        return false;
    jpeg_create_compress(&encoder.info);
    encoder.created = true;
    jpeg_stdio_dest(&encoder.info, destination);
    encoder.info.image_width = decoder.info.output_width;
    encoder.info.image_height = decoder.info.output_height;
    encoder.info.input_components = decoder.info.output_components;
    encoder.info.in_color_space = decoder.info.out_color_space;
    jpeg_set_defaults(&encoder.info);
    jpeg_set_quality(&encoder.info, quality, TRUE);
    jpeg_start_compress(&encoder.info, TRUE);
    return true;
}

// The decoding thread: fills free strips with rows and hands them on.
void decodeRows(Decoder &decoder, StripQueue &queue)
{
    if (setjmp(decoder.errors.jump)) {
        decoder.failed = true;
        queue.decoderDone();
        return;
    }
    jpeg_decompress_struct &info = decoder.info;
    while (info.output_scanline < info.output_height) {
        Strip *strip = queue.takeFree();
        if (strip == nullptr)
            break;
        strip->firstRow = int(info.output_scanline);
        strip->rowCount = 0;
        while (strip->rowCount < StripRows && info.output_scanline < info.output_height)
            strip->rowCount += int(jpeg_read_scanlines(&info, strip->rows.data() + strip->rowCount,
                                                       JDIMENSION(StripRows - strip->rowCount)));
        queue.putFull(strip);
    }
    queue.decoderDone();
}

// The encoding side: stamps the rows of each full strip and writes them.
void encodeRows(Encoder &encoder, StripQueue &queue, const StampPicture &stamp, QPoint position, int format)
{
    if (setjmp(encoder.errors.jump)) {
        encoder.failed = true;
        queue.encoderStopped();
        return;
    }
    const int width = int(encoder.info.image_width);
    while (Strip *strip = queue.takeFull()) {
        for (int i = 0; i < strip->rowCount; ++i)
            blendStampRow(strip->rows[std::size_t(i)], width, format, stamp, position, strip->firstRow + i);
        jpeg_write_scanlines(&encoder.info, strip->rows.data(), JDIMENSION(strip->rowCount));
        queue.putFree(strip);
    }
}

bool finishDecoding(Decoder &decoder)
{
    if (setjmp(decoder.errors.jump))
        return false;
    jpeg_finish_decompress(&decoder.info);
    return true;
}

bool finishEncoding(Encoder &encoder)
{
    if (setjmp(encoder.errors.jump))
        return false;
    jpeg_finish_compress(&encoder.info);
    return true;
}

} // namespace

bool JpegStream::writesJpeg(const QString &destination)
{
    const QString suffix = QFileInfo(destination).suffix().toLower();
    return suffix == u"jpg" || suffix == u"jpeg" || suffix == u"jpe";
}

std::optional<QSize> JpegStream::probe(const QString &source)
{
    const File file = openFile(source, "rb");
    if (!file)
        return std::nullopt;
    Decoder decoder;
    std::optional<QSize> size;
    useErrorManager(reinterpret_cast<jpeg_common_struct *>(&decoder.info), decoder.errors);
    if (setjmp(decoder.errors.jump) == 0) {
        jpeg_create_decompress(&decoder.info);
        decoder.created = true;
        jpeg_stdio_src(&decoder.info, file.get());
        if (jpeg_read_header(&decoder.info, TRUE) == JPEG_HEADER_OK && acceptable(decoder.info) &&
            !decoder.errors.warned)
            size = QSize(int(decoder.info.image_width), int(decoder.info.image_height));
    }
    if (decoder.created)
        jpeg_destroy_decompress(&decoder.info);
    return size;
}

JpegStream::Outcome JpegStream::stampAndSave(const QString &source, const StampPicture &stamp, QPoint position,
                                             int quality, const QString &destination)
{
    const File input = openFile(source, "rb");
    if (!input)
        return Outcome::NotLoaded;
    const QFileInfo target(destination);
    if (target.isDir() || !target.absoluteDir().exists())
        return Outcome::NotSaved;
    const QString temporary = temporaryPathBeside(target, target.suffix());
    if (temporary.isEmpty())
        return Outcome::NotSaved;

    Decoder decoder;
    Encoder encoder;
    Outcome outcome = Outcome::Saved;
    File output;

    if (!startDecoding(decoder, input.get(), stamp.hasColour))
        outcome = Outcome::NotLoaded;
    if (outcome == Outcome::Saved) {
        output = openFile(temporary, "wbx");
        if (!output || !startEncoding(encoder, output.get(), decoder, std::clamp(quality, 0, 99)))
            outcome = Outcome::NotSaved;
    }
    if (outcome == Outcome::Saved) {
        const int format = decoder.info.out_color_space == JCS_RGB ? IL_RGB : IL_LUMINANCE;
        const std::size_t rowBytes =
            std::size_t(decoder.info.output_width) * std::size_t(decoder.info.output_components);
        std::vector<Strip> strips(StripCount);
        StripQueue queue;
        for (Strip &strip : strips) {
            strip.samples.resize(rowBytes * StripRows);
            for (int i = 0; i < StripRows; ++i)
                strip.rows.push_back(strip.samples.data() + std::size_t(i) * rowBytes);
            queue.putFree(&strip);
        }
        std::thread decoding([&] { decodeRows(decoder, queue); });
        encodeRows(encoder, queue, stamp, position, format);
        decoding.join();

        if (decoder.failed || decoder.errors.warned)
            outcome = Outcome::NotLoaded;
        else if (encoder.failed)
            outcome = Outcome::NotSaved;
        else if (decoder.info.output_scanline < decoder.info.output_height || !finishDecoding(decoder) ||
                 decoder.errors.warned)
            outcome = Outcome::NotLoaded;
        else if (!finishEncoding(encoder))
            outcome = Outcome::NotSaved;
    }

    if (decoder.created)
        jpeg_destroy_decompress(&decoder.info);
    if (encoder.created)
        jpeg_destroy_compress(&encoder.info);
    if (output) {
        const bool written = std::fflush(output.get()) == 0 && !std::ferror(output.get());
        if (std::fclose(output.release()) != 0 || !written)
            outcome = outcome == Outcome::Saved ? Outcome::NotSaved : outcome;
    }
    // rename() replaces the destination in one step.
    if (outcome == Outcome::Saved && std::rename(QFile::encodeName(temporary).constData(),
                                                 QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        outcome = Outcome::NotSaved;
    if (outcome != Outcome::Saved)
        QFile::remove(temporary);
    return outcome;
}

} // namespace markwell
