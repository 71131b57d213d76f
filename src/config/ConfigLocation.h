#pragma once

#include <QString>

namespace markwell {

inline const QString StartupConfigName = QStringLiteral("startup.config");

// The folder that holds the configurations: the program's own folder while it can be
// written to, else the user's configuration folder (an installed copy), so settings
// are never lost. Ends with "/".
QString configurationFolder(const QString &appDir);

} // namespace markwell
