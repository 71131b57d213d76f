#pragma once

#include <QColor>
#include <QImage>

namespace markwell {

// The 255 x 1 gradient the section header bars stretch over their width. Each channel
// starts at the first colour and steps by (second - first) / 255 in single precision,
// truncated per pixel: the last pixel stops one step short of the second colour.
QImage BuildCaptionGradient(const QColor &first, const QColor &second);

} // namespace markwell
