#include "DevilFormat.h"

#include <QFile>

namespace markwell {

QByteArray devilPath(const QString &path)
{
    return QFile::encodeName(path);
}

bool boundImageHasAlpha()
{
    switch (ilGetInteger(IL_IMAGE_FORMAT)) {
    case IL_RGBA:
    case IL_BGRA:
    case IL_LUMINANCE_ALPHA:
    case IL_ALPHA:
        return true;
    case IL_COLOUR_INDEX: {
        const ILint paletteType = ilGetInteger(IL_PALETTE_TYPE);
        return paletteType == IL_PAL_RGBA32 || paletteType == IL_PAL_BGRA32;
    }
    default:
        return false;
    }
}

bool isGreyFormat(ILint format)
{
    return format == IL_LUMINANCE || format == IL_LUMINANCE_ALPHA;
}

void clearDevilErrors()
{
    // The stack is bounded, but a corrupt state must not keep this loop going.
    for (int i = 0; i < 64 && ilGetError() != IL_NO_ERROR; ++i) {
    }
}

} // namespace markwell
