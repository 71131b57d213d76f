#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace markwell {

// Where finished log entries go: the window's log list, or standard output.
class LogSink
{
public:
    virtual ~LogSink() = default;
    virtual void appendEntry(const QString &entry) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime currentTime() const = 0;
};

class SystemClock final : public Clock
{
public:
    QTime currentTime() const override;
};

// The locale's long time format without date or time zone: hours, minutes and
// seconds, with the AM/PM marker where the locale uses 12-hour time.
QString logTimeFormat(const QLocale &locale);

// The run log: time-stamped entries "[ time ] message". The time format is taken from
// the locale once, when the log is made, as the program does at start.
class RunLog
{
public:
    explicit RunLog(LogSink &sink, const Clock &clock = systemClock(), const QLocale &locale = QLocale::system());

    void AddToLog(const QString &message);
    QString entryFor(const QString &message) const;

    static const Clock &systemClock();

private:
    LogSink &m_sink;
    const Clock &m_clock;
    QLocale m_locale;
    QString m_timeFormat;
};

} // namespace markwell
