#pragma once

#include "PreviewRequest.h"
#include "RunChecks.h"

#include <QImage>

#include <optional>

namespace markwell {

// Why a preview is not rendered: the message the user is shown.
struct PreviewRefusal
{
    QString text;
    MessageIcon icon;
};

// The checks before a render, in order: a current item, a stamp picture for a picture
// stamp, whole-number offsets for an absolute position.
std::optional<PreviewRefusal> checkPreviewRequest(const PreviewRequest &request);

// Stamps the item at full resolution exactly as a batch run would, scales the result to
// the pane and hands it back through the temporary BMP file at `previewFilePath`, which
// is deleted before and after. No picture when the stamp or the item cannot be loaded,
// or the file cannot be written. Holds the image library while it works.
std::optional<QImage> RenderPreview(const PreviewRequest &request, const QString &previewFilePath);

} // namespace markwell
