#include "DragStep.h"

#include <QTest>

using namespace markwell;

class TestDragStep : public QObject
{
    Q_OBJECT

private slots:
    void step_data();
    void step();
    void followsThePointerFromTheGrabbedPoint();
};

void TestDragStep::step_data()
{
    QTest::addColumn<QPoint>("wanted"); // where the marker would go without the rules
    QTest::addColumn<int>("snap");
    QTest::addColumn<QPoint>("expected");

    // The built-in marker is 47 x 20 in the 200 x 200 box at (8, 8).
    QTest::addRow("free") << QPoint(40, 50) << 10 << QPoint(40, 50);
    QTest::addRow("left edge snaps at 18") << QPoint(18, 50) << 10 << QPoint(9, 50);
    QTest::addRow("left edge stays at 19") << QPoint(19, 50) << 10 << QPoint(19, 50);
    QTest::addRow("top edge snaps at 18") << QPoint(40, 18) << 10 << QPoint(40, 9);
    QTest::addRow("right edge snaps at 151") << QPoint(151, 50) << 10 << QPoint(160, 50);
    QTest::addRow("right edge stays at 150") << QPoint(150, 50) << 10 << QPoint(150, 50);
    QTest::addRow("bottom edge snaps at 178") << QPoint(40, 178) << 10 << QPoint(40, 187);
    QTest::addRow("centre, both in reach") << QPoint(74, 108) << 10 << QPoint(84, 98);
    QTest::addRow("centre, other corner") << QPoint(94, 88) << 10 << QPoint(84, 98);
    QTest::addRow("centre needs both axes") << QPoint(84, 109) << 10 << QPoint(84, 109);
    QTest::addRow("centre needs both axes, x") << QPoint(73, 98) << 10 << QPoint(73, 98);
    QTest::addRow("far outside clamps to the corner") << QPoint(-500, 900) << 10 << QPoint(9, 187);
    QTest::addRow("no snap: left clamp at 8") << QPoint(8, 50) << 0 << QPoint(9, 50);
    QTest::addRow("no snap: 9 stays") << QPoint(9, 50) << 0 << QPoint(9, 50);
    QTest::addRow("no snap: right clamp at 161") << QPoint(161, 50) << 0 << QPoint(160, 50);
    QTest::addRow("no snap: top clamp at 8") << QPoint(40, 8) << 0 << QPoint(40, 9);
    QTest::addRow("no snap: bottom clamp at 188") << QPoint(40, 188) << 0 << QPoint(40, 187);
    QTest::addRow("no snap: centre does nothing") << QPoint(85, 98) << 0 << QPoint(85, 98);
}

void TestDragStep::step()
{
    QFETCH(QPoint, wanted);
    QFETCH(int, snap);
    QFETCH(QPoint, expected);

    const QRect marker(QPoint(9, 9), QSize(47, 20));
    const QPoint grab(5, 5);
    const QPoint pointer = wanted - marker.topLeft() + grab;
    QCOMPARE(dragStep(marker, pointer, grab, QRect(8, 8, 200, 200), snap), expected);
}

void TestDragStep::followsThePointerFromTheGrabbedPoint()
{
    // A marker too wide for both edges: the right-edge rule comes last and wins.
    const QRect wide(QPoint(9, 9), QSize(199, 20));
    QCOMPARE(dragStep(wide, QPoint(3, 3), QPoint(3, 3), QRect(8, 8, 200, 200), 10).x(), 8 + 200 - 199 - 1);

    const QRect marker(QPoint(40, 50), QSize(47, 20));
    QCOMPARE(dragStep(marker, QPoint(20, 10), QPoint(10, 4), QRect(8, 8, 200, 200), 0), QPoint(50, 56));
}

QTEST_GUILESS_MAIN(TestDragStep)
#include "tst_DragStep.moc"
