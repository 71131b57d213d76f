#include "ConfigLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace markwell {

QString configurationFolder(const QString &appDir)
{
    QString folder = appDir;
    if (!QFileInfo(appDir).isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        // The first start of an installed copy finds no folder there yet.
        QDir().mkpath(folder);
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace markwell
