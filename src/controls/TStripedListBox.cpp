#include "TStripedListBox.h"

#include "ControlColor.h"
#include "FileMask.h"

#include <QAbstractItemDelegate>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

#include <algorithm>

namespace markwell {

namespace {

constexpr int textMargin = 2;
constexpr int fileIconSize = 16;

bool hasLocalFiles(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); });
}

// The list only reads the paths: it asks for a copy (or a link), never a move, so that the
// source never removes the dropped files.
bool chooseDropAction(QDropEvent *event)
{
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions() & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    return true;
}

} // namespace

QStringView extractFileExt(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < path.lastIndexOf(u'/'))
        return {};
    return path.mid(dot);
}

// Hands every row to DrawItem and gives every row the list's row height; the width is the
// list's scroll width, which makes the view's horizontal scroll range follow it.
class TStripedListBox::RowDelegate : public QAbstractItemDelegate
{
public:
    explicit RowDelegate(TStripedListBox *list)
        : QAbstractItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        m_list->DrawItem(*painter, index.row(), option.rect, option.state);
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.state |= QStyle::State_KeyboardFocusChange;
            m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(m_list->m_scrollWidth, m_list->m_itemHeight);
    }

private:
    TStripedListBox *m_list;
};

TStripedListBox::TStripedListBox(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

TStripedListBox::~TStripedListBox() = default;

void TStripedListBox::SetStripeDifference(int value)
{
    if (value == m_stripeDifference)
        return;
    m_stripeDifference = std::clamp(value, 0, 255);
    viewport()->update();
}

void TStripedListBox::SetShowIcons(bool value)
{
    if (value == m_showIcons)
        return;
    m_showIcons = value;
    viewport()->update();
}

void TStripedListBox::SetAcceptFiles(bool value)
{
    m_acceptFiles = value;
    setAcceptDrops(value);
    viewport()->setAcceptDrops(value);
}

void TStripedListBox::SetFileFilter(const QString &value)
{
    if (value != m_fileFilter)
        m_fileFilter = value;
}

void TStripedListBox::SetItemHeight(int value)
{
    value = std::max(value, 1);
    if (value == m_itemHeight)
        return;
    m_itemHeight = value;
    scheduleDelayedItemsLayout();
}

void TStripedListBox::SetScrollWidth(int value)
{
    value = std::max(value, 0);
    if (value == m_scrollWidth)
        return;
    m_scrollWidth = value;
    scheduleDelayedItemsLayout();
}

bool TStripedListBox::MultiSelect() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TStripedListBox::SetMultiSelect(bool value)
{
    if (value != MultiSelect())
        setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TStripedListBox::AppendFile(const QString &path)
{
    if (FileMatchPattern(path))
        addItem(path);
}

bool TStripedListBox::FileMatchPattern(const QString &path) const
{
    return matchesFileFilter(path, m_fileFilter);
}

void TStripedListBox::DeleteSelected()
{
    for (int row = count() - 1; row >= 0; --row) {
        if (item(row)->isSelected())
            delete takeItem(row);
    }
}

QStringList TStripedListBox::items() const
{
    QStringList result;
    result.reserve(count());
    for (int row = 0; row < count(); ++row)
        result.append(item(row)->text());
    return result;
}

void TStripedListBox::setIconProvider(QAbstractFileIconProvider *provider)
{
    m_iconProvider = provider != nullptr ? provider : &m_defaultIconProvider;
}

void TStripedListBox::DrawItem(QPainter &painter, int index, const QRect &rect, QStyle::State state)
{
    const QPalette &colours = palette();
    const bool selected = state & QStyle::State_Selected;

    QColor shade = ControlColor(selected ? QPalette::Highlight : QPalette::Base).toRgb(colours);
    if (index % 2 == 0)
        shade = shiftChannels(shade, -(selected ? m_stripeDifference / 2 : m_stripeDifference));
    painter.fillRect(rect, shade);

    if (index < 0 || index >= count())
        return;
    const QString text = item(index)->text();

    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const int margin = textMargin + (m_showIcons ? fileIconSize : 0);
    QRect textRect = rect;
    if (rightToLeft)
        textRect.setRight(textRect.right() - margin);
    else
        textRect.setLeft(textRect.left() + margin);

    // Single line, no mnemonics ("&" stays visible), no ellipsis: the text is cut at the row's edge.
    painter.setFont(font());
    painter.setPen(ControlColor(selected ? QPalette::HighlightedText : QPalette::WindowText).toRgb(colours));
    painter.drawText(
        textRect,
        int(QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter)) | Qt::TextSingleLine, text);

    if (!m_showIcons || !QFileInfo(text).isFile())
        return;
    const QPixmap &icon = iconFor(text);
    if (icon.isNull())
        return;
    // One pixel in from the row's edge on the side where the text leaves room for it.
    const int x = rightToLeft ? rect.right() - fileIconSize : rect.left() + 1;
    const int y = rect.top() + (rect.height() - fileIconSize) / 2;
    painter.drawPixmap(QRect(x, y, fileIconSize, fileIconSize), icon);
}

const QPixmap &TStripedListBox::iconFor(const QString &path)
{
    const QStringView extension = extractFileExt(path);
    auto found = IconCache.find(extension);
    if (found == IconCache.end()) {
        const QIcon icon = m_iconProvider->icon(QFileInfo(path));
        found =
            IconCache.emplace(extension.toString(), icon.pixmap(QSize(fileIconSize, fileIconSize), devicePixelRatioF()))
                .first;
    }
    return found->second;
}

void TStripedListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete)
        DeleteSelected();
    QListWidget::keyPressEvent(event);
}

void TStripedListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_acceptFiles && hasLocalFiles(event->mimeData()) && chooseDropAction(event))
        event->accept();
    else
        event->ignore();
}

void TStripedListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_acceptFiles && hasLocalFiles(event->mimeData()) && chooseDropAction(event))
        event->accept();
    else
        event->ignore();
}

void TStripedListBox::dropEvent(QDropEvent *event)
{
    if (!m_acceptFiles || !hasLocalFiles(event->mimeData()) || !chooseDropAction(event)) {
        event->ignore();
        return;
    }
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            AppendFile(url.toLocalFile());
    }
    event->accept();
}

} // namespace markwell
