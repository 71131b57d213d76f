#include "FileStamper.h"

#include "JpegStream.h"

#include <algorithm>

namespace markwell {

std::unique_ptr<FileStamper> FileStamper::prepare(const StampSettings &settings)
{
    std::unique_ptr<FileStamper> stamper(new FileStamper);
    stamper->m_markType = settings.markType;
    if (settings.markType == MarkType::Picture) {
        stamper->m_picture = loadStampPicture(settings.markImagePath);
        if (!stamper->m_picture)
            return nullptr;
        stamper->m_stampSize = stamper->m_picture->size;
    } else {
        stamper->m_stampSize = measureTextStamp(settings.markText, settings.markFont);
    }
    // Set once for the run; the slider keeps the quality within 0..99, a configuration
    // file need not.
    stamper->m_jpegQuality = std::clamp<qint32>(settings.jpegQuality, 0, 99);
    ilSetInteger(IL_JPG_QUALITY, stamper->m_jpegQuality);
    return stamper;
}

std::optional<QSize> FileStamper::load(const QString &source, const QString &destination)
{
    m_streamedSource.clear();
    if (JpegStream::writesJpeg(destination)) {
        if (const std::optional<QSize> size = JpegStream::probe(source)) {
            m_streamedSource = source;
            m_streamedSize = *size;
            return size;
        }
    }
    if (!loadImage(m_work, source))
        return std::nullopt;
    return m_work.size();
}

FileStamper::Outcome FileStamper::stampAndSave(QPoint position, const StampSettings &current,
                                               const QString &destination)
{
    if (!m_streamedSource.isEmpty()) {
        PlacedStamp placed;
        if (m_picture) {
            placed = {*m_picture, position};
        } else {
            std::optional<PlacedStamp> text =
                textStampLayer(current.markText, current.markFont, position, m_streamedSize);
            if (!text)
                return Outcome::NotSaved;
            placed = std::move(*text);
        }
        switch (JpegStream::stampAndSave(m_streamedSource, placed.stamp, placed.position, m_jpegQuality, destination)) {
        case JpegStream::Outcome::Saved:
            return Outcome::Saved;
        case JpegStream::Outcome::NotLoaded:
            return Outcome::NotLoaded;
        case JpegStream::Outcome::NotSaved:
            return Outcome::NotSaved;
        }
    }
    return stamp(position, current) && saveImage(m_work, destination) ? Outcome::Saved : Outcome::NotSaved;
}

bool FileStamper::stamp(QPoint position, const StampSettings &current)
{
    return m_picture ? overlayStamp(m_work, *m_picture, position)
                     : drawTextStamp(m_work, current.markText, current.markFont, position);
}

} // namespace markwell
