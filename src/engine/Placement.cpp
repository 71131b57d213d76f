#include "Placement.h"

#include "TextToInt.h"

#include <cmath>
#include <limits>

namespace markwell {

namespace {

qint32 clampToInt32(long double value)
{
    constexpr long double lowest = std::numeric_limits<qint32>::min();
    constexpr long double highest = std::numeric_limits<qint32>::max();
    if (value < lowest)
        return std::numeric_limits<qint32>::min();
    if (value > highest)
        return std::numeric_limits<qint32>::max();
    return qint32(value);
}

// Distance of the stamp's edge from the image's edge for an offset measured from the
// far side; worked out wide so no offset can overflow it.
qint32 fromFarEdge(qint32 imageExtent, qint32 stampExtent, qint32 offset)
{
    return clampToInt32(static_cast<long double>(qint64(imageExtent) - stampExtent - offset));
}

// The marker's place inside its travel stands for the stamp's place inside the free
// space of the image: quotient first, then product, in extended precision, truncated
// toward zero. A marker that leaves no travel (it fills the box on that axis) gives
// no choice on that axis, and the stamp keeps to the near edge.
qint32 relativeAxis(qint64 markerOffset, qint64 travel, qint32 imageExtent, qint32 stampExtent)
{
    if (travel <= 0)
        return 0;
    const long double quotient = static_cast<long double>(markerOffset) / static_cast<long double>(travel);
    const long double product = quotient * static_cast<long double>(qint64(imageExtent) - stampExtent);
    return clampToInt32(std::trunc(product));
}

} // namespace

PositionFields PositionFields::from(const StampSettings &settings)
{
    return {settings.positionType, settings.xOffsetText, settings.yOffsetText, settings.xOffsetFrom,
            settings.yOffsetFrom};
}

std::optional<QPoint> stampPosition(QSize image, QSize stamp, const PositionFields &position, QRect marker, QRect box)
{
    if (position.positionType == PositionType::Absolute) {
        const std::optional<qint32> offsetX = textToInt(position.xOffsetText);
        const std::optional<qint32> offsetY = textToInt(position.yOffsetText);
        if (!offsetX || !offsetY)
            return std::nullopt;
        const qint32 x =
            position.xOffsetFrom == XOffsetFrom::Right ? fromFarEdge(image.width(), stamp.width(), *offsetX) : *offsetX;
        const qint32 y = position.yOffsetFrom == YOffsetFrom::Bottom
                             ? fromFarEdge(image.height(), stamp.height(), *offsetY)
                             : *offsetY;
        return QPoint(x, y);
    }

    const qint64 gx = qint64(marker.left()) - box.left() - 1;
    const qint64 gy = qint64(marker.top()) - box.top() - 1;
    const qint64 rx = qint64(box.width()) - marker.width() - 2;
    const qint64 ry = qint64(box.height()) - marker.height() - 2;
    return QPoint(relativeAxis(gx, rx, image.width(), stamp.width()),
                  relativeAxis(gy, ry, image.height(), stamp.height()));
}

QPoint placeStamp(QSize image, QSize stamp, const StampSettings &settings, QRect marker, PositionFields &lastGood)
{
    const PositionFields fields = PositionFields::from(settings);
    if (const std::optional<QPoint> position = stampPosition(image, stamp, fields, marker)) {
        lastGood = fields;
        return *position;
    }
    return stampPosition(image, stamp, lastGood, marker).value_or(QPoint(0, 0));
}

} // namespace markwell
