#pragma once

#include "StampSettings.h"

#include <QString>

namespace markwell {

inline const QString OutputPrefix = QStringLiteral("stamped_");

// Where a run writes the stamped copy of `sourcePath`: "stamped_" + the source's file
// name, next to the source or in the custom folder exactly as typed, with the output
// format's extension in place of the source's (appended when the name has none).
QString outputPath(const QString &sourcePath, DestMode destMode, const QString &customFolder,
                   OutputFormat outputFormat);

} // namespace markwell
