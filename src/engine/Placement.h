#pragma once

#include "StampSettings.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace markwell {

// The position settings that decide where a stamp goes.
struct PositionFields
{
    PositionType positionType = PositionType::Relative;
    QString xOffsetText;
    QString yOffsetText;
    XOffsetFrom xOffsetFrom = XOffsetFrom::Left;
    YOffsetFrom yOffsetFrom = YOffsetFrom::Top;

    static PositionFields from(const StampSettings &settings);
};

// The square that stands for the image in the relative position editor.
inline constexpr QRect RelativePositionBox{8, 8, 200, 200};

// The top-left corner of the stamp on an image, in image pixels. `marker` is the
// position marker's rectangle in the editor (its left, top and current size) and `box`
// the square it moves in. Absolute offsets are read from their texts; an offset text
// that is not a whole number leaves no position. Nothing is clamped to the image: the
// stamp may reach past any edge, and what falls outside is not drawn.
std::optional<QPoint> stampPosition(QSize image, QSize stamp, const PositionFields &position, QRect marker,
                                    QRect box = RelativePositionBox);

// The position for the current settings during a run. The run checked the offsets
// when it started; should one stop being a whole number during the run, the last good
// position fields stand in for it. `lastGood` follows the fields that worked.
QPoint placeStamp(QSize image, QSize stamp, const StampSettings &settings, QRect marker, PositionFields &lastGood);

} // namespace markwell
