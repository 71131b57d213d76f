#pragma once

#include "ImageLibrary.h"
#include "ImageOps.h"
#include "StampSettings.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace markwell {

// The image work of a run on one file after another: the stamp prepared once, one
// work image reused for every file. Needs the image library's lock and an open
// session for as long as it lives.
class FileStamper
{
public:
    // Prepares the stamp of `settings` (loads a picture stamp, or measures a text
    // stamp's cell once) and sets the run's JPEG quality. Nothing when the stamp picture
    // cannot be loaded.
    static std::unique_ptr<FileStamper> prepare(const StampSettings &settings);

    MarkType markType() const { return m_markType; }
    QSize stampSize() const { return m_stampSize; }

    // Opens a source that is to become `destination`; its size, or nothing when it
    // can't be read. A JPEG that becomes a JPEG is only opened here and streamed later;
    // anything else is loaded into the work image.
    std::optional<QSize> load(const QString &source, const QString &destination);

    enum class Outcome { Saved, NotLoaded, NotSaved };
    // Lays the stamp on the opened source at `position` (a text stamp in the text and
    // font of `current`) and writes the result to `destination`. A streamed source can
    // still turn out damaged here, and then counts as not loaded.
    Outcome stampAndSave(QPoint position, const StampSettings &current, const QString &destination);

    // Lays the stamp on the image loaded into the work image, which then holds the result.
    bool stamp(QPoint position, const StampSettings &current);
    DevilImage &workImage() { return m_work; }

private:
    FileStamper() = default;

    MarkType m_markType = MarkType::Picture;
    std::optional<StampPicture> m_picture;
    QSize m_stampSize;
    int m_jpegQuality = 80;
    QString m_streamedSource; // set while the opened source is to be streamed
    QSize m_streamedSize;
    DevilImage m_work;
};

} // namespace markwell
