#pragma once

#include <QFileInfo>
#include <QString>

namespace markwell {

// A name beside the destination that no file has yet, hidden, with the destination's
// extension (DevIL picks the format by it). Empty when none could be found. A result is
// written there first and renamed over the destination only once it is whole.
QString temporaryPathBeside(const QFileInfo &destination, const QString &suffix);

} // namespace markwell
