#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

namespace markwell {

enum Anchor { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

// Keeps controls where the window design put them as the window changes size: an
// edge anchored to the right or bottom keeps its distance from that edge, a control
// anchored to both sides of an axis stretches along it.
class AnchorLayout
{
public:
    explicit AnchorLayout(QSize designSize)
        : m_designSize(designSize)
    {
    }

    // Places `widget` at `designRect` (in the design's client coordinates).
    void add(QWidget *widget, QRect designRect, int anchors);
    void apply(QSize clientSize) const;
    // Moves a control to a new place given in the design's coordinates.
    void moveTo(QWidget *widget, QPoint designTopLeft);

private:
    struct Item
    {
        QWidget *widget;
        QRect designRect;
        int anchors;
    };

    QSize m_designSize;
    QList<Item> m_items;
};

} // namespace markwell
