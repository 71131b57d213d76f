#include "ControlsResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's initialiser where it is used, so it has to stand
// outside any namespace.
static void initGlyphResources()
{
    Q_INIT_RESOURCE(glyphs);
}

namespace markwell {

void initControlsResources()
{
    initGlyphResources();
}

} // namespace markwell
