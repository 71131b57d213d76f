#include "TextToInt.h"

#include <QTest>

using markwell::textToInt;

class TestTextToInt : public QObject
{
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
};

void TestTextToInt::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::addRow("plain") << "20" << true << 20;
    QTest::addRow("zero") << "0" << true << 0;
    QTest::addRow("leading zeros") << "007" << true << 7;
    QTest::addRow("leading blanks") << "   15" << true << 15;
    QTest::addRow("plus sign") << "+15" << true << 15;
    QTest::addRow("minus sign") << "-10" << true << -10;
    QTest::addRow("blanks then sign") << "  -3" << true << -3;
    QTest::addRow("largest") << "2147483647" << true << 2147483647;
    QTest::addRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::addRow("one past largest") << "2147483648" << false << 0;
    QTest::addRow("one past smallest") << "-2147483649" << false << 0;
    QTest::addRow("many digits") << "99999999999999999999" << false << 0;
    QTest::addRow("dollar hex") << "$1F" << true << 31;
    QTest::addRow("x hex") << "x10" << true << 16;
    QTest::addRow("X hex") << "Xff" << true << 255;
    QTest::addRow("0x hex") << "0x7fffffff" << true << 2147483647;
    QTest::addRow("0X hex") << "0XAbC" << true << 0xABC;
    QTest::addRow("hex all ones is -1") << "$FFFFFFFF" << true << -1;
    QTest::addRow("hex top bit") << "0x80000000" << true << int(-2147483647 - 1);
    QTest::addRow("hex too wide") << "$100000000" << false << 0;
    QTest::addRow("blanks before hex") << "  $a" << true << 10;
    QTest::addRow("sign before hex") << "-$10" << false << 0;
    QTest::addRow("prefix alone") << "$" << false << 0;
    QTest::addRow("0x alone") << "0x" << false << 0;
    QTest::addRow("hex digit in decimal") << "1a" << false << 0;
    QTest::addRow("trailing blank") << "20 " << false << 0;
    QTest::addRow("blank after sign") << "- 5" << false << 0;
    QTest::addRow("decimal fraction") << "1.5" << false << 0;
    QTest::addRow("empty") << "" << false << 0;
    QTest::addRow("blanks only") << "   " << false << 0;
    QTest::addRow("lone plus") << "+" << false << 0;
    QTest::addRow("lone minus") << "-" << false << 0;
    QTest::addRow("tab is not a blank") << "\t5" << false << 0;
    QTest::addRow("non-ASCII digits") << QString::fromUtf8("\xd9\xa3") << false << 0;
}

void TestTextToInt::convert()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<qint32> result = textToInt(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

QTEST_GUILESS_MAIN(TestTextToInt)
#include "tst_TextToInt.moc"
