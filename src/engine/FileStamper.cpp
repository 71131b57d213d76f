#include "FileStamper.h"

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
    ilSetInteger(IL_JPG_QUALITY, std::clamp<ILint>(settings.jpegQuality, 0, 99));
    return stamper;
}

std::optional<QSize> FileStamper::load(const QString &source)
{
    if (!loadImage(m_work, source))
        return std::nullopt;
    return m_work.size();
}

bool FileStamper::stampAndSave(QPoint position, const StampSettings &current, const QString &destination)
{
    const bool stamped = m_picture ? overlayStamp(m_work, *m_picture, position)
                                   : drawTextStamp(m_work, current.markText, current.markFont, position);
    return stamped && saveImage(m_work, destination);
}

} // namespace markwell
