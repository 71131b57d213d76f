#pragma once

#include <QString>

namespace markwell {

class TLanguage;

// The run log's and the run's messages, assembled from language texts, blanks and
// paths. A missing language text leaves its place empty.

// L("File") + " " + path + " " + L(key), for the per-file entries and questions.
QString fileMessage(const TLanguage &language, const QString &path, const QString &key);
// L("LogFinished") + " " + saved + " " + L("of") + " " + listed + "."
QString finishedMessage(const TLanguage &language, int saved, int listed);
// L("LogStarted") + " " + version
QString startedMessage(const TLanguage &language, const QString &version);
// L("LogStamp") + " " + path
QString stampFailedMessage(const TLanguage &language, const QString &path);

} // namespace markwell
