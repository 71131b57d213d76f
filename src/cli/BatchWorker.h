#pragma once

#include <QString>

namespace markwell {

// A worker process of a parallel run: reads the run's settings from `settingsFile`,
// prepares the stamp once, then stamps the files it is sent on standard input, one
// "index source destination" line each (paths percent-encoded), and answers each with
// an "index outcome" line on standard output. It ends when its input ends.
int runBatchWorker(const QString &settingsFile);

// The outcome codes of the worker's answers.
enum class WorkerOutcome { Saved = 0, NotLoaded = 1, NotSaved = 2 };

} // namespace markwell
