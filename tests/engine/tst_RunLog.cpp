#include "RunLog.h"

#include <QTest>

using namespace markwell;

namespace {

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QTime time)
        : m_time(time)
    {
    }
    QTime currentTime() const override { return m_time; }

private:
    QTime m_time;
};

class ListSink final : public LogSink
{
public:
    void appendEntry(const QString &entry) override { entries.append(entry); }
    QStringList entries;
};

} // namespace

class TestRunLog : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void entriesAppendInOrder();
};

void TestRunLog::entry_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected");

    QTest::addRow("24-hour") << QLocale(QLocale::German, QLocale::Germany) << QTime(9, 5, 7)
                             << "[ 09:05:07 ] File x could not be saved.";
    QTest::addRow("12-hour, marker after") << QLocale(QLocale::English, QLocale::UnitedStates) << QTime(21, 5, 7)
                                           << "[ 9:05:07 PM ] File x could not be saved.";
    QTest::addRow("no time zone in C locale")
        << QLocale::c() << QTime(0, 0, 59) << "[ 00:00:59 ] File x could not be saved.";
}

void TestRunLog::entry()
{
    QFETCH(QLocale, locale);
    QFETCH(QTime, time);
    QFETCH(QString, expected);

    ListSink sink;
    FixedClock clock(time);
    RunLog log(sink, clock, locale);
    log.AddToLog(QStringLiteral("File x could not be saved."));
    QCOMPARE(sink.entries, QStringList{expected});
}

void TestRunLog::entriesAppendInOrder()
{
    ListSink sink;
    FixedClock clock(QTime(12, 0, 0));
    RunLog log(sink, clock, QLocale::c());
    log.AddToLog(QStringLiteral("first"));
    log.AddToLog(QString());
    QCOMPARE(sink.entries, (QStringList{"[ 12:00:00 ] first", "[ 12:00:00 ] "}));
}

QTEST_GUILESS_MAIN(TestRunLog)
#include "tst_RunLog.moc"
