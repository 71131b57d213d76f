#pragma once

#include <IL/il.h>

#include <QByteArray>
#include <QString>

namespace markwell {

// Small facts about the image bound in DevIL, shared by loading, blending and saving.

// A path in the form DevIL's char-based file functions take.
QByteArray devilPath(const QString &path);

// Whether the bound image carries transparency: an alpha channel, or a palette with
// alpha entries.
bool boundImageHasAlpha();

bool isGreyFormat(ILint format);

// Empties DevIL's error stack, so a later failure is not blamed on an old one.
void clearDevilErrors();

} // namespace markwell
