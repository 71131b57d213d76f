#include "OutputPath.h"

namespace markwell {

QString outputPath(const QString &sourcePath, DestMode destMode, const QString &customFolder, OutputFormat outputFormat)
{
    const qsizetype nameStart = sourcePath.lastIndexOf(u'/') + 1;
    const QString folder = sourcePath.left(nameStart);
    QString fileName = OutputPrefix + sourcePath.mid(nameStart);

    const QString extension = outputExtension(outputFormat);
    if (!extension.isEmpty()) {
        const qsizetype dot = fileName.lastIndexOf(u'.');
        if (dot >= 0)
            fileName.truncate(dot);
        fileName += extension;
    }

    // The custom folder is used as typed; a trailing "/" gives a doubled separator,
    // which the file system reads as one.
    if (destMode == DestMode::Custom)
        return customFolder + u'/' + fileName;
    return folder + fileName;
}

} // namespace markwell
