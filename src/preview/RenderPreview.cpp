#include "RenderPreview.h"

#include "FileStamper.h"
#include "ImageOps.h"
#include "Placement.h"
#include "TextToInt.h"

#include <IL/ilu.h>

#include <QFile>

namespace markwell {

std::optional<PreviewRefusal> checkPreviewRequest(const PreviewRequest &request)
{
    const StampSettings &s = request.settings;
    if (request.itemPath.isEmpty())
        return PreviewRefusal{QStringLiteral("Nothing to preview."), MessageIcon::Information};
    if (s.markType == MarkType::Picture && s.markImagePath.isEmpty())
        return PreviewRefusal{QStringLiteral("Please set mark image."), MessageIcon::Information};
    if (s.positionType == PositionType::Absolute && (!textToInt(s.xOffsetText) || !textToInt(s.yOffsetText)))
        return PreviewRefusal{request.stampCoordsIntegersText, MessageIcon::Error};
    return std::nullopt;
}

std::optional<QImage> RenderPreview(const PreviewRequest &request, const QString &previewFilePath)
{
    const StampSettings &s = request.settings;
    const std::unique_lock<std::timed_mutex> libraryLock = lockImageLibrary();
    QFile::remove(previewFilePath);

    std::optional<QImage> picture;
    {
        // The same stamping as a batch run, at the image's full size; only the result
        // is scaled for the pane.
        const ImageLibrarySession session;
        const std::unique_ptr<FileStamper> stamper = FileStamper::prepare(s);
        if (!stamper)
            return std::nullopt;
        const std::optional<QSize> imageSize = stamper->load(request.itemPath, previewFilePath);
        if (imageSize) {
            const std::optional<QPoint> at =
                stampPosition(*imageSize, stamper->stampSize(), PositionFields::from(s), request.marker, request.box);
            const QSize scaled = previewSize(*imageSize, request.paneSize);
            if (at && stamper->stamp(*at, s) && !scaled.isEmpty()) {
                DevilImage &work = stamper->workImage();
                work.bind();
                iluScale(ILuint(scaled.width()), ILuint(scaled.height()), 1);
                if (saveImage(work, previewFilePath)) {
                    QImage loaded(previewFilePath);
                    if (!loaded.isNull())
                        picture = std::move(loaded);
                }
            }
        }
    }
    QFile::remove(previewFilePath);
    return picture;
}

} // namespace markwell
