#include "AnchorLayout.h"

#include <QWidget>

namespace markwell {

void AnchorLayout::add(QWidget *widget, QRect designRect, int anchors)
{
    m_items.append({widget, designRect, anchors});
    widget->setGeometry(designRect);
}

void AnchorLayout::moveTo(QWidget *widget, QPoint designTopLeft)
{
    for (Item &item : m_items) {
        if (item.widget == widget)
            item.designRect.moveTopLeft(designTopLeft);
    }
}

void AnchorLayout::apply(QSize clientSize) const
{
    const int dx = clientSize.width() - m_designSize.width();
    const int dy = clientSize.height() - m_designSize.height();
    for (const Item &item : m_items) {
        QRect rect = item.designRect;
        if (item.anchors & AnchorRight) {
            if (item.anchors & AnchorLeft)
                rect.setWidth(rect.width() + dx);
            else
                rect.translate(dx, 0);
        }
        if (item.anchors & AnchorBottom) {
            if (item.anchors & AnchorTop)
                rect.setHeight(rect.height() + dy);
            else
                rect.translate(0, dy);
        }
        item.widget->setGeometry(rect);
    }
}

} // namespace markwell
