#include "MarkerSize.h"

#include "StampSettings.h"

#include <QFontMetrics>

namespace markwell {

QFont markerFont()
{
    QFont font(defaultFontFace());
    font.setPixelSize(17);
    return font;
}

QSize markerSize(const QString &caption)
{
    const QFontMetrics metrics(markerFont());
    return {metrics.horizontalAdvance(caption), metrics.height()};
}

} // namespace markwell
