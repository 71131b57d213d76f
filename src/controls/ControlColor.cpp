#include "ControlColor.h"

#include <algorithm>

namespace markwell {

QColor ControlColor::toRgb(const QPalette &palette) const
{
    QColor rgb;
    if (const auto *role = std::get_if<QPalette::ColorRole>(&m_value))
        rgb = palette.color(QPalette::Active, *role);
    else
        rgb = std::get<QColor>(m_value);
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

QColor shiftChannels(const QColor &rgb, int amount)
{
    const auto shift = [amount](int channel) { return std::clamp(channel + amount, 0, 255); };
    return QColor(shift(rgb.red()), shift(rgb.green()), shift(rgb.blue()));
}

} // namespace markwell
