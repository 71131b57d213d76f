#include "DragStep.h"

namespace markwell {

QPoint dragStep(const QRect &marker, QPoint pointer, QPoint grab, const QRect &box, int snap)
{
    const int bl = box.left();
    const int bt = box.top();
    const int bw = box.width();
    const int bh = box.height();
    const int w = marker.width();
    const int h = marker.height();

    int left = marker.left() + pointer.x() - grab.x();
    int top = marker.top() + pointer.y() - grab.y();

    // Applied in this order, each to the result of the one before: when the marker is
    // too wide for both edge rules, the right edge wins.
    if (left <= bl + snap)
        left = bl + 1;
    if (top <= bt + snap)
        top = bt + 1;
    if (left >= bl + bw - w - snap)
        left = bl + bw - w - 1;
    if (top >= bt + bh - h - snap)
        top = bt + bh - h - 1;

    const int centreX = bl + (bw - w) / 2;
    const int centreY = bt + (bh - h) / 2;
    if (left >= centreX - snap && left <= centreX + snap && top >= centreY - snap && top <= centreY + snap) {
        left = centreX;
        top = centreY;
    }
    return {left, top};
}

} // namespace markwell
