#include "TStripedListBox.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using markwell::TStripedListBox;

namespace {

constexpr int rowHeight = 17;
const QColor highlight(5, 60, 200);

// Hands out a plain square of a new colour on every request and remembers what was asked for.
class CountingIconProvider : public QAbstractFileIconProvider
{
public:
    using QAbstractFileIconProvider::icon;

    QIcon icon(const QFileInfo &info) const override
    {
        asked.append(info.fileName());
        QPixmap square(16, 16);
        square.fill(colourOf(asked.size() - 1));
        return QIcon(square);
    }

    static QColor colourOf(qsizetype request) { return QColor::fromHsv(int(request) * 60 % 360, 255, 255).toRgb(); }

    mutable QStringList asked;
};

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

std::unique_ptr<TStripedListBox> makeList(const QStringList &items)
{
    auto list = std::make_unique<TStripedListBox>();
    QPalette colours = list->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Highlight, highlight);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::HighlightedText, Qt::white);
    list->setPalette(colours);
    list->resize(320, 200);
    // Without the focus no row carries the style's focus frame, which would tint it.
    list->setFocusPolicy(Qt::NoFocus);
    list->addItems(items);
    list->show();
    if (!QTest::qWaitForWindowExposed(list.get()))
        qFatal("list window not exposed");
    return list;
}

QImage render(TStripedListBox &list)
{
    QCoreApplication::processEvents();
    return list.viewport()->grab().toImage();
}

// Dark in every channel: text, not a stripe and not one of the test's bright icons.
bool isInk(QRgb pixel)
{
    return qRed(pixel) < 128 && qGreen(pixel) < 128 && qBlue(pixel) < 128;
}

// First and last column of a row band that holds dark (text) pixels; -1 when none.
std::pair<int, int> inkColumns(const QImage &image, int row)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = row * rowHeight; y < (row + 1) * rowHeight; ++y) {
            if (isInk(image.pixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QList<QUrl> urlsIn(const QString &folder, const QStringList &names)
{
    QList<QUrl> urls;
    for (const QString &name : names)
        urls.append(QUrl::fromLocalFile(folder + QLatin1Char('/') + name));
    return urls;
}

QStringList pathsIn(const QString &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths.append(folder + QLatin1Char('/') + name);
    return paths;
}

// Sends a drag-enter and, when asked, the drop; returns whether the drag-enter was accepted
// and with which action.
std::pair<bool, Qt::DropAction> dragOnto(TStripedListBox &list, const QList<QUrl> &urls,
                                         Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction, bool drop = true)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &enter);
    if (drop) {
        QDropEvent dropped(QPointF(5, 5), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &dropped);
    }
    return {enter.isAccepted(), enter.dropAction()};
}

} // namespace

class TestStripedListBox : public QObject
{
    Q_OBJECT

private slots:
    void stripes_data();
    void stripes();
    void stripeDifferenceSetter_data();
    void stripeDifferenceSetter();
    void textPlacement_data();
    void textPlacement();
    void iconCachePerExtension();
    void iconRightToLeft();
    void rowGeometry();
    void extension_data();
    void extension();
    void drop_data();
    void drop();
    void refusedDrops();
    void deleteKey_data();
    void deleteKey();

private:
    QTemporaryDir m_dir;
};

void TestStripedListBox::stripes_data()
{
    QTest::addColumn<int>("difference");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("expected");

    QTest::addRow("first row is dark") << 20 << 0 << false << QColor(235, 235, 235);
    QTest::addRow("odd row keeps background") << 20 << 1 << false << QColor(Qt::white);
    QTest::addRow("even rows alternate") << 20 << 2 << false << QColor(235, 235, 235);
    QTest::addRow("no difference") << 0 << 0 << false << QColor(Qt::white);
    QTest::addRow("selected even row, half, clamped at 0") << 20 << 0 << true << QColor(0, 50, 190);
    QTest::addRow("selected even row, half truncated") << 21 << 2 << true << QColor(0, 50, 190);
    QTest::addRow("selected odd row is highlight") << 20 << 1 << true << highlight;
}

void TestStripedListBox::stripes()
{
    QFETCH(int, difference);
    QFETCH(int, row);
    QFETCH(bool, selected);
    QFETCH(QColor, expected);

    auto list = makeList({"a", "b", "c", "d"});
    list->SetMultiSelect(true);
    list->SetStripeDifference(difference);
    list->item(row)->setSelected(selected);

    const QImage image = render(*list);
    QCOMPARE(image.pixelColor(image.width() - 4, row * rowHeight + rowHeight / 2), expected);
}

void TestStripedListBox::stripeDifferenceSetter_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("repainted");

    QTest::addRow("above range") << 300 << 255 << true;
    QTest::addRow("below range") << -5 << 0 << true;
    QTest::addRow("in range") << 20 << 20 << true;
    QTest::addRow("same value") << 10 << 10 << false;
}

void TestStripedListBox::stripeDifferenceSetter()
{
    QFETCH(int, value);
    QFETCH(int, stored);
    QFETCH(bool, repainted);

    auto list = makeList({"a"});
    QCOMPARE(list->StripeDifference(), 10);
    QCoreApplication::processEvents();
    PaintCounter counter;
    list->viewport()->installEventFilter(&counter);

    list->SetStripeDifference(value);
    QCoreApplication::processEvents();
    QCOMPARE(list->StripeDifference(), stored);
    QCOMPARE(counter.paints > 0, repainted);
}

void TestStripedListBox::textPlacement_data()
{
    QTest::addColumn<bool>("showIcons");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("margin");

    QTest::addRow("without icons") << false << "H&&&&&&&&" << 2;
    QTest::addRow("icon room for a missing file") << true << "H&&&&&&&&" << 18;
    QTest::addRow("icon room for a folder") << true << m_dir.filePath("H&&&&&&&&") << 18;
}

void TestStripedListBox::textPlacement()
{
    QFETCH(bool, showIcons);
    QFETCH(QString, text);
    QFETCH(int, margin);

    if (text.startsWith(QLatin1Char('/')))
        QVERIFY(QDir().mkpath(text));
    auto list = makeList({text});
    CountingIconProvider icons;
    list->setIconProvider(&icons);
    list->SetShowIcons(showIcons);

    const auto [first, last] = inkColumns(render(*list), 0);
    QVERIFY2(first >= margin && first <= margin + 3, qPrintable(QString::number(first)));
    // Every "&" is drawn as itself: none is taken as a mnemonic marker.
    const QFontMetrics metrics(list->font());
    QVERIFY(last >= margin + metrics.horizontalAdvance(text.left(text.size() - 1)));
    QVERIFY(icons.asked.isEmpty());
}

void TestStripedListBox::iconCachePerExtension()
{
    for (const QString name : {"a.JPG", "b.jpg", "c.jpg", "d.JPG"}) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    auto list = makeList(pathsIn(m_dir.path(), {"a.JPG", "b.jpg", "c.jpg"}));
    CountingIconProvider icons;
    list->setIconProvider(&icons);

    render(*list);
    QVERIFY(icons.asked.isEmpty());

    list->SetShowIcons(true);
    QImage image = render(*list);
    QCOMPARE(icons.asked, QStringList({"a.JPG", "b.jpg"}));
    const auto iconPixel = [&image](int row) { return image.pixelColor(9, row * rowHeight + 8); };
    QCOMPARE(iconPixel(0), CountingIconProvider::colourOf(0));
    QCOMPARE(iconPixel(1), CountingIconProvider::colourOf(1));
    QCOMPARE(iconPixel(2), CountingIconProvider::colourOf(1));

    // The cache outlives the items.
    list->clear();
    list->addItems(pathsIn(m_dir.path(), {"d.JPG", "c.jpg"}));
    image = render(*list);
    QCOMPARE(icons.asked.size(), 2);
    QCOMPARE(iconPixel(0), CountingIconProvider::colourOf(0));
    QCOMPARE(iconPixel(1), CountingIconProvider::colourOf(1));
}

void TestStripedListBox::iconRightToLeft()
{
    QFile file(m_dir.filePath("rtl.png"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    auto list = makeList({file.fileName()});
    CountingIconProvider icons;
    list->setIconProvider(&icons);
    list->setLayoutDirection(Qt::RightToLeft);
    list->SetShowIcons(true);

    const QImage image = render(*list);
    QCOMPARE(image.pixelColor(image.width() - 2, 8), CountingIconProvider::colourOf(0));
    QCOMPARE(image.pixelColor(image.width() - 17, 8), CountingIconProvider::colourOf(0));
    QVERIFY(image.pixelColor(image.width() - 1, 8) != CountingIconProvider::colourOf(0));
    const auto [first, last] = inkColumns(image, 0);
    QVERIFY(last <= image.width() - 1 - 18);
    QVERIFY(first >= 0);
}

void TestStripedListBox::rowGeometry()
{
    auto list = makeList({"a", "b"});
    render(*list);
    QCOMPARE(list->visualItemRect(list->item(1)).top(), rowHeight);
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);

    list->SetItemHeight(20);
    render(*list);
    QCOMPARE(list->visualItemRect(list->item(1)).top(), 20);

    list->SetScrollWidth(1000);
    render(*list);
    QCOMPARE(list->horizontalScrollBar()->maximum(), 1000 - list->viewport()->width());

    list->SetScrollWidth(0);
    render(*list);
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
}

void TestStripedListBox::extension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    QTest::addRow("upper case kept") << "/photos/a.JPG"
                                     << ".JPG";
    QTest::addRow("last dot") << "/photos/a.tar.gz"
                              << ".gz";
    QTest::addRow("no dot") << "/photos/a"
                            << "";
    QTest::addRow("dot in a folder name") << "/photo.s/a"
                                          << "";
    QTest::addRow("name starting with a dot") << "/home/.profile"
                                              << ".profile";
}

void TestStripedListBox::extension()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(markwell::extractFileExt(path).toString(), expected);
}

void TestStripedListBox::drop_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("expected");

    const QString images = QStringLiteral("*.bmp;*.jpg;*.jpeg;*.tif;*.png;*.tga;*.psd");
    const QString longName = QString(300, QLatin1Char('x')) + ".jpg";
    QTest::addRow("filtered, in drop order, after the items")
        << images << QStringList{"keep.txt"} << QStringList{"PHOTO.JPG", "notes.txt", "b.PsD", "a.bmp"}
        << QStringList{"keep.txt", "PHOTO.JPG", "b.PsD", "a.bmp"};
    QTest::addRow("same file twice") << images << QStringList{"a.jpg"} << QStringList{"a.jpg", "a.jpg"}
                                     << QStringList{"a.jpg", "a.jpg", "a.jpg"};
    QTest::addRow("folders are paths, not opened")
        << images << QStringList{} << QStringList{"holiday.jpg", "Holiday"} << QStringList{"holiday.jpg"};
    QTest::addRow("empty filter takes everything")
        << "" << QStringList{} << QStringList{"Holiday", "notes.txt"} << QStringList{"Holiday", "notes.txt"};
    QTest::addRow("long path kept whole") << images << QStringList{} << QStringList{longName} << QStringList{longName};
}

void TestStripedListBox::drop()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);

    for (const QString folder : {"holiday.jpg", "Holiday"}) {
        QVERIFY(QDir(m_dir.path()).mkpath(folder));
        QFile inside(m_dir.filePath(folder + "/inside.jpg"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
    }
    auto list = makeList(pathsIn(m_dir.path(), existing));
    list->SetMultiSelect(true);
    list->SetAcceptFiles(true);
    list->SetFileFilter(filter);
    list->selectAll();
    list->SetScrollWidth(50);

    const auto [accepted, action] = dragOnto(*list, urlsIn(m_dir.path(), dropped));
    QVERIFY(accepted);
    QCOMPARE(action, Qt::CopyAction);
    QCOMPARE(list->items(), pathsIn(m_dir.path(), expected));
    for (int row = 0; row < list->count(); ++row)
        QCOMPARE(list->item(row)->isSelected(), row < existing.size());
    QCOMPARE(list->ScrollWidth(), 50);
}

void TestStripedListBox::refusedDrops()
{
    auto list = makeList({});
    const QList<QUrl> photo = urlsIn(m_dir.path(), {"a.jpg"});

    QCOMPARE(dragOnto(*list, photo).first, false);
    QVERIFY(list->items().isEmpty());

    list->SetAcceptFiles(true);
    QCOMPARE(dragOnto(*list, {QUrl("https://example.com/a.jpg")}).first, false);
    // The list only reads the paths: it never takes part in a move, which would let the
    // source delete the files.
    QCOMPARE(dragOnto(*list, photo, Qt::MoveAction, false).first, false);
    QVERIFY(list->items().isEmpty());

    list->SetAcceptFiles(false);
    QCOMPARE(dragOnto(*list, photo).first, false);
    QVERIFY(list->items().isEmpty());
}

void TestStripedListBox::deleteKey_data()
{
    QTest::addColumn<bool>("multiSelect");
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<QStringList>("remaining");

    QTest::addRow("three of five") << true << QList<int>{1, 2, 4} << QStringList{"a", "d"};
    QTest::addRow("all") << true << QList<int>{0, 1, 2, 3, 4} << QStringList{};
    QTest::addRow("nothing selected") << true << QList<int>{} << QStringList{"a", "b", "c", "d", "e"};
    QTest::addRow("single selection") << false << QList<int>{3} << QStringList{"a", "b", "c", "e"};
}

void TestStripedListBox::deleteKey()
{
    QFETCH(bool, multiSelect);
    QFETCH(QList<int>, selectedRows);
    QFETCH(QStringList, remaining);

    auto list = makeList({"a", "b", "c", "d", "e"});
    list->SetMultiSelect(multiSelect);
    for (int row : selectedRows)
        list->item(row)->setSelected(true);

    QTest::keyClick(list.get(), Qt::Key_Delete);
    QCOMPARE(list->items(), remaining);
}

QTEST_MAIN(TestStripedListBox)
#include "tst_TStripedListBox.moc"
