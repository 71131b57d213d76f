#include "ConfigLocation.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace markwell {

QString configurationFolder(const QString &appDir)
{
    QString folder = appDir;
    if (!QFileInfo(appDir).isWritable())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace markwell
