#include "RunChecks.h"

#include "TextToInt.h"

#include <QFileInfo>

namespace markwell {

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

std::optional<RunRefusal> checkBeforeRun(const StampSettings &settings, int fileCount)
{
    if (fileCount <= 0)
        return RunRefusal{QStringLiteral("NothingToProceed"), MessageIcon::Information};
    if (settings.markType == MarkType::Picture && settings.markImagePath.isEmpty())
        return RunRefusal{QStringLiteral("PleaseSetStampImage"), MessageIcon::Information};
    if (settings.destMode == DestMode::Custom && !QFileInfo(settings.customFolder).isDir())
        return RunRefusal{QStringLiteral("DestFolderNotExists"), MessageIcon::Error};
    if (settings.positionType == PositionType::Absolute &&
        (!textToInt(settings.xOffsetText) || !textToInt(settings.yOffsetText)))
        return RunRefusal{QStringLiteral("StampCoordsIntegers"), MessageIcon::Error};
    return std::nullopt;
}

} // namespace markwell
