#include "TemporaryPath.h"

#include <QDir>
#include <QRandomGenerator>

namespace markwell {

QString temporaryPathBeside(const QFileInfo &destination, const QString &suffix)
{
    const QDir folder = destination.absoluteDir();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = QStringLiteral(".markwell-%1.%2")
                                 .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'))
                                 .arg(suffix);
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path))
            return path;
    }
    return {};
}

} // namespace markwell
