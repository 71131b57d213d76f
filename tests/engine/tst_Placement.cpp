#include "Placement.h"

#include <QTest>

#include <limits>

using namespace markwell;

namespace {

// The marker with its built-in caption measures 47 x 20, which leaves it a travel of
// 151 x 178 pixels inside the 200 x 200 box.
constexpr QSize BuiltInMarker{47, 20};

PositionFields relative()
{
    return {PositionType::Relative, {}, {}, XOffsetFrom::Left, YOffsetFrom::Top};
}

PositionFields absolute(const QString &x, XOffsetFrom fromX, const QString &y, YOffsetFrom fromY)
{
    return {PositionType::Absolute, x, y, fromX, fromY};
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void relativePosition_data();
    void relativePosition();
    void absolutePosition_data();
    void absolutePosition();
    void absoluteNeedsWholeNumbers();
    void markerWithoutTravel_data();
    void markerWithoutTravel();
    void widerMarkerKeepsEdges();
    void extremeMarkerValuesStayInRange();
};

void TestPlacement::relativePosition_data()
{
    QTest::addColumn<QPoint>("marker");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("stamp");
    QTest::addColumn<QPoint>("expected");

    QTest::addRow("top-left") << QPoint(9, 9) << QSize(1000, 800) << QSize(100, 50) << QPoint(0, 0);
    QTest::addRow("bottom-right") << QPoint(160, 187) << QSize(1000, 800) << QSize(100, 50) << QPoint(900, 750);
    QTest::addRow("editor centre, quotient first")
        << QPoint(84, 98) << QSize(1000, 800) << QSize(100, 50) << QPoint(447, 375);
    QTest::addRow("stamp larger, truncated toward zero")
        << QPoint(84, 98) << QSize(300, 300) << QSize(400, 400) << QPoint(-49, -50);
    QTest::addRow("stamp wider, leftmost") << QPoint(9, 9) << QSize(300, 300) << QSize(400, 400) << QPoint(0, 0);
    QTest::addRow("stamp wider, rightmost")
        << QPoint(160, 187) << QSize(300, 300) << QSize(400, 400) << QPoint(-100, -100);
    QTest::addRow("image failed to load") << QPoint(84, 98) << QSize(0, 0) << QSize(100, 50) << QPoint(-49, -25);
    // 83 / 151 * 815 = 447.98...: truncated, not rounded
    QTest::addRow("truncation, not rounding") << QPoint(92, 9) << QSize(915, 10) << QSize(100, 10) << QPoint(447, 0);
}

void TestPlacement::relativePosition()
{
    QFETCH(QPoint, marker);
    QFETCH(QSize, image);
    QFETCH(QSize, stamp);
    QFETCH(QPoint, expected);

    const auto position = stampPosition(image, stamp, relative(), QRect(marker, BuiltInMarker));
    QVERIFY(position);
    QCOMPARE(*position, expected);
}

void TestPlacement::absolutePosition_data()
{
    QTest::addColumn<PositionFields>("fields");
    QTest::addColumn<QPoint>("expected");

    QTest::addRow("left and top") << absolute("20", XOffsetFrom::Left, "30", YOffsetFrom::Top) << QPoint(20, 30);
    QTest::addRow("right and bottom") << absolute("20", XOffsetFrom::Right, "10", YOffsetFrom::Bottom)
                                      << QPoint(880, 740);
    QTest::addRow("flush bottom-right") << absolute("0", XOffsetFrom::Right, "0", YOffsetFrom::Bottom)
                                        << QPoint(900, 750);
    QTest::addRow("negative offset from top")
        << absolute("5", XOffsetFrom::Left, "-10", YOffsetFrom::Top) << QPoint(5, -10);
    QTest::addRow("hexadecimal and blanks")
        << absolute(" $10", XOffsetFrom::Left, "+2", YOffsetFrom::Top) << QPoint(16, 2);
    QTest::addRow("offset at the limit does not wrap")
        << absolute("-2147483648", XOffsetFrom::Right, "2147483647", YOffsetFrom::Bottom)
        << QPoint(std::numeric_limits<qint32>::max(), -2147483647 + 750);
}

void TestPlacement::absolutePosition()
{
    QFETCH(PositionFields, fields);
    QFETCH(QPoint, expected);

    const auto position = stampPosition(QSize(1000, 800), QSize(100, 50), fields, QRect(QPoint(84, 98), BuiltInMarker));
    QVERIFY(position);
    QCOMPARE(*position, expected);
}

void TestPlacement::absoluteNeedsWholeNumbers()
{
    const QRect marker(QPoint(9, 9), BuiltInMarker);
    QVERIFY(!stampPosition(QSize(100, 100), QSize(10, 10), absolute("1.5", XOffsetFrom::Left, "0", YOffsetFrom::Top),
                           marker));
    QVERIFY(
        !stampPosition(QSize(100, 100), QSize(10, 10), absolute("0", XOffsetFrom::Left, "", YOffsetFrom::Top), marker));

    // Relative placement does not read the offset texts at all.
    PositionFields fields = relative();
    fields.xOffsetText = QStringLiteral("not a number");
    QVERIFY(stampPosition(QSize(100, 100), QSize(10, 10), fields, marker));
}

void TestPlacement::markerWithoutTravel_data()
{
    QTest::addColumn<QSize>("markerSize");
    QTest::addColumn<QPoint>("expected");

    // A marker as wide (or tall) as the box leaves no choice on that axis: the stamp
    // keeps to the near edge there, and the other axis still follows the marker.
    QTest::addRow("no horizontal travel") << QSize(198, 20) << QPoint(0, 750);
    QTest::addRow("negative horizontal travel") << QSize(250, 20) << QPoint(0, 750);
    QTest::addRow("no vertical travel") << QSize(47, 198) << QPoint(900, 0);
}

void TestPlacement::markerWithoutTravel()
{
    QFETCH(QSize, markerSize);
    QFETCH(QPoint, expected);

    const QRect marker(QPoint(160, 187), markerSize);
    const auto position = stampPosition(QSize(1000, 800), QSize(100, 50), relative(), marker);
    QVERIFY(position);
    QCOMPARE(*position, expected);
}

void TestPlacement::widerMarkerKeepsEdges()
{
    // A longer caption makes the marker wider and shortens its travel; the extreme
    // positions still map to the image's edges.
    const QSize marker(80, 20);
    const QSize image(1000, 800);
    const QSize stamp(100, 50);
    const auto leftmost = stampPosition(image, stamp, relative(), QRect(QPoint(9, 9), marker));
    const auto rightmost = stampPosition(image, stamp, relative(), QRect(QPoint(8 + 200 - 80 - 1, 9), marker));
    QCOMPARE(leftmost->x(), 0);
    QCOMPARE(rightmost->x(), 900);

    const auto sameLeftNarrow = stampPosition(image, stamp, relative(), QRect(QPoint(84, 9), BuiltInMarker));
    const auto sameLeftWide = stampPosition(image, stamp, relative(), QRect(QPoint(84, 9), marker));
    QVERIFY(sameLeftWide->x() > sameLeftNarrow->x());
}

void TestPlacement::extremeMarkerValuesStayInRange()
{
    // Marker positions come from configuration files as they are; far-off values must
    // give a clamped position, never an overflowed one.
    const auto far =
        stampPosition(QSize(30000, 30000), QSize(1, 1), relative(),
                      QRect(QPoint(std::numeric_limits<int>::max(), std::numeric_limits<int>::min()), BuiltInMarker));
    QVERIFY(far);
    QCOMPARE(far->x(), std::numeric_limits<qint32>::max());
    QCOMPARE(far->y(), std::numeric_limits<qint32>::min());
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_Placement.moc"
