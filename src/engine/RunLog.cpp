#include "RunLog.h"

namespace markwell {

QTime SystemClock::currentTime() const
{
    return QTime::currentTime();
}

QString logTimeFormat(const QLocale &locale)
{
    // Qt's long time format carries the time zone ("t", "tt", ...), which the log does
    // not show. Quoted literals are kept as they are.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.simplified();
}

RunLog::RunLog(LogSink &sink, const Clock &clock, const QLocale &locale)
    : m_sink(sink)
    , m_clock(clock)
    , m_locale(locale)
    , m_timeFormat(logTimeFormat(locale))
{
}

const Clock &RunLog::systemClock()
{
    static const SystemClock clock;
    return clock;
}

QString RunLog::entryFor(const QString &message) const
{
    return QStringLiteral("[ ") + m_locale.toString(m_clock.currentTime(), m_timeFormat) + QStringLiteral(" ] ") +
           message;
}

void RunLog::AddToLog(const QString &message)
{
    m_sink.appendEntry(entryFor(message));
}

} // namespace markwell
