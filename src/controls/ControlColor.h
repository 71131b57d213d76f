#pragma once

#include <QColor>
#include <QPalette>

#include <variant>

namespace markwell {

// A colour as the controls store it: either a fixed RGB value or a colour of the running
// style (a palette role), which is looked up only when a channel is computed, so that the
// controls follow a change of style or palette.
//
// The window-system colours of the design map to these roles:
//   button face -> QPalette::Button          button shadow  -> QPalette::Dark
//   highlight   -> QPalette::Highlight       highlight text -> QPalette::HighlightedText
//   window      -> QPalette::Base            window text    -> QPalette::WindowText
class ControlColor
{
public:
    ControlColor(const QColor &rgb)
        : m_value(rgb)
    {
    }
    ControlColor(Qt::GlobalColor rgb)
        : m_value(QColor(rgb))
    {
    }
    ControlColor(QPalette::ColorRole role)
        : m_value(role)
    {
    }

    bool isRole() const { return std::holds_alternative<QPalette::ColorRole>(m_value); }

    // The RGB value: a role is taken from the active group of the palette, so that a
    // control looks the same whether or not its window has the focus. The result is
    // always opaque.
    QColor toRgb(const QPalette &palette) const;

    bool operator==(const ControlColor &other) const = default;

private:
    std::variant<QColor, QPalette::ColorRole> m_value;
};

// Adds amount (negative: takes it off) to the red, green and blue channels and clamps each
// channel to 0..255.
QColor shiftChannels(const QColor &rgb, int amount);

} // namespace markwell
