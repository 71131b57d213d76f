#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace markwell {

// One step of dragging the position marker. `marker` is its place and size before the
// step, `pointer` the pointer in the marker's own coordinates, `grab` where the marker
// was grabbed (in the same coordinates), `box` the square it moves in and `snap` the
// snapping distance (0: none). The marker follows the pointer, keeps one pixel inside
// the box's border, snaps onto an edge within `snap` pixels of it, and onto the centre
// only when both coordinates are within reach. Returns the new top-left corner.
QPoint dragStep(const QRect &marker, QPoint pointer, QPoint grab, const QRect &box, int snap);

} // namespace markwell
