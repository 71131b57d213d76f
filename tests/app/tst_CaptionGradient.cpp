#include "CaptionGradient.h"

#include <QTest>

using namespace markwell;

class TestCaptionGradient : public QObject
{
    Q_OBJECT

private slots:
    void pixels_data();
    void pixels();
};

void TestCaptionGradient::pixels_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<int>("x");
    QTest::addColumn<QColor>("expected");

    const QColor black(0, 0, 0), white(255, 255, 255);
    QTest::addRow("black to white, first") << black << white << 0 << QColor(0, 0, 0);
    QTest::addRow("black to white, middle") << black << white << 100 << QColor(100, 100, 100);
    QTest::addRow("black to white, one step short") << black << white << 254 << QColor(254, 254, 254);

    const QColor from(10, 36, 106), to(166, 202, 240);
    QTest::addRow("caption colours, 0") << from << to << 0 << QColor(10, 36, 106);
    QTest::addRow("caption colours, 2") << from << to << 2 << QColor(11, 37, 107);
    QTest::addRow("caption colours, 127") << from << to << 127 << QColor(87, 118, 172);
    QTest::addRow("caption colours, 254") << from << to << 254 << QColor(165, 201, 239);
}

void TestCaptionGradient::pixels()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(int, x);
    QFETCH(QColor, expected);

    const QImage gradient = BuildCaptionGradient(first, second);
    QCOMPARE(gradient.size(), QSize(255, 1));
    QCOMPARE(gradient.pixelColor(x, 0), expected);
}

QTEST_GUILESS_MAIN(TestCaptionGradient)
#include "tst_CaptionGradient.moc"
