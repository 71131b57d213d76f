#pragma once

#include "StampSettings.h"

#include <QRect>
#include <QSize>
#include <QString>

namespace markwell {

// Everything one preview render needs, captured on the window's thread in one step so
// the render never reads a control.
struct PreviewRequest
{
    QString itemPath; // empty: no current item
    StampSettings settings;
    QRect marker; // the position marker's place and size in its box
    QRect box;    // the box the marker moves in
    QSize paneSize;
    QString stampCoordsIntegersText; // the language's message for non-integer offsets
};

// The size a whole image is scaled to for the pane: its longer side (the height for a
// square) fills the pane in its own direction and the other follows in proportion,
// quotient first, in extended precision, truncated toward zero. The other side is not
// fitted, so it may exceed the pane, and small images are enlarged.
QSize previewSize(QSize image, QSize pane);

} // namespace markwell
