#include "RenderPreview.h"

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
        const ImageLibrarySession session;
        std::optional<StampPicture> stamp;
        QSize stampSize = request.markTextSize;
        if (s.markType == MarkType::Picture) {
            stamp = loadStampPicture(s.markImagePath);
            if (!stamp)
                return std::nullopt;
            stampSize = stamp->size;
        }

        DevilImage work;
        if (loadImage(work, request.itemPath)) {
            const QSize imageSize = work.size();
            const std::optional<QPoint> at =
                stampPosition(imageSize, stampSize, PositionFields::from(s), request.marker, request.box);
            const bool stamped =
                at && (stamp ? overlayStamp(work, *stamp, *at) : drawTextStamp(work, s.markText, s.markFont, *at));
            const QSize scaled = previewSize(imageSize, request.paneSize);
            if (stamped && !scaled.isEmpty()) {
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
