#pragma once

#include "StampSettings.h"

namespace markwell {

// A worker process of a parallel run, with the run's settings: prepares the stamp once, then stamps the files it is
// sent on standard input, one "index source destination" line each (paths percent-encoded), and answers each with an
// "index outcome" line on standard output, the outcome a FileStamper::Outcome. It ends when
// its input ends.
int runBatchWorker(const StampSettings &settings);

} // namespace markwell
