#pragma once

#include <QFileIconProvider>
#include <QListWidget>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QStyle>

#include <map>

namespace markwell {

// The file list: one full file path per row, drawn on stripes that alternate from row to
// row, optionally with the file's small icon. Files dropped from the desktop are taken in
// through FileFilter, and the Delete key removes the selected rows.
class TStripedListBox : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(int StripeDifference READ StripeDifference WRITE SetStripeDifference)
    Q_PROPERTY(bool ShowIcons READ ShowIcons WRITE SetShowIcons)
    Q_PROPERTY(bool AcceptFiles READ GetAcceptFiles WRITE SetAcceptFiles)
    Q_PROPERTY(QString FileFilter READ FileFilter WRITE SetFileFilter)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int ScrollWidth READ ScrollWidth WRITE SetScrollWidth)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)

public:
    explicit TStripedListBox(QWidget *parent = nullptr);
    ~TStripedListBox() override;

    // Amount taken off each colour channel on the darker rows (the even ones), 0..255.
    int StripeDifference() const { return m_stripeDifference; }
    void SetStripeDifference(int value);

    // Draw each existing file's small icon and leave room for it.
    bool ShowIcons() const { return m_showIcons; }
    void SetShowIcons(bool value);

    // Whether files may be dropped on the list.
    bool GetAcceptFiles() const { return m_acceptFiles; }
    void SetAcceptFiles(bool value);

    // File masks separated by ";" that a dropped path must match; empty takes every path.
    const QString &FileFilter() const { return m_fileFilter; }
    void SetFileFilter(const QString &value);

    // Height of every row in pixels (17 unless set).
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value);

    // Scrollable width in pixels: a horizontal scroll bar appears when it exceeds the visible
    // width. 0 turns horizontal scrolling off. The list never changes it by itself.
    int ScrollWidth() const { return m_scrollWidth; }
    void SetScrollWidth(int value);

    // Several rows may be selected (extended selection) instead of one.
    bool MultiSelect() const;
    void SetMultiSelect(bool value);

    // Appends the path as the last row when it matches FileFilter; a path already listed is
    // listed again.
    void AppendFile(const QString &path);

    // Whether the path matches FileFilter.
    bool FileMatchPattern(const QString &path) const;

    // Removes every selected row, from the last to the first.
    void DeleteSelected();

    // Every row's text, in list order.
    QStringList items() const;

    // Where file icons come from; the list does not own the provider. By default it is the
    // desktop's icon provider. Icons already fetched stay in the cache.
    void setIconProvider(QAbstractFileIconProvider *provider);

protected:
    // Draws one row: the stripe, the text and, with ShowIcons, the file's icon.
    virtual void DrawItem(QPainter &painter, int index, const QRect &rect, QStyle::State state);

    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    class RowDelegate;

    const QPixmap &iconFor(const QString &path);

    int m_stripeDifference = 10;
    bool m_showIcons = false;
    bool m_acceptFiles = false;
    QString m_fileFilter;
    int m_itemHeight = 17;
    int m_scrollWidth = 0;

    QFileIconProvider m_defaultIconProvider;
    QAbstractFileIconProvider *m_iconProvider = &m_defaultIconProvider;
    // One icon per extension, kept for the life of the list: the first file drawn with an
    // extension decides the icon of every later file with that extension. Extensions
    // compare exactly, so ".JPG" and ".jpg" are two entries.
    std::map<QString, QPixmap, std::less<>> IconCache;
};

// The extension of a path: from the last "." of its file name to the end, the dot
// included; empty when the file name has no dot.
QStringView extractFileExt(QStringView path);

} // namespace markwell
