#include "LogMessages.h"

#include "TLanguage.h"

namespace markwell {

QString fileMessage(const TLanguage &language, const QString &path, const QString &key)
{
    return language.GetText(QStringLiteral("File")) + u' ' + path + u' ' + language.GetText(key);
}

QString finishedMessage(const TLanguage &language, int saved, int listed)
{
    return language.GetText(QStringLiteral("LogFinished")) + u' ' + QString::number(saved) + u' ' +
           language.GetText(QStringLiteral("of")) + u' ' + QString::number(listed) + u'.';
}

QString startedMessage(const TLanguage &language, const QString &version)
{
    return language.GetText(QStringLiteral("LogStarted")) + u' ' + version;
}

QString stampFailedMessage(const TLanguage &language, const QString &path)
{
    return language.GetText(QStringLiteral("LogStamp")) + u' ' + path;
}

} // namespace markwell
