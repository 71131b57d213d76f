#pragma once

#include "StampSettings.h"

#include <QByteArray>
#include <QtGlobal>

namespace markwell {

// The identities a configuration file stores for the active output page. The file
// format keeps an identity rather than an index; ours are fixed so that a page saved
// in one run comes back in the next. They must stay greater than 1 and distinct,
// because a stored 0 or 1 already has a meaning of its own, and they are never changed.
inline constexpr qint32 destFolderPageIdentity = 0x4D570100;
inline constexpr qint32 reactionsPageIdentity = 0x4D570101;
inline constexpr qint32 fileFormatPageIdentity = 0x4D570102;

// The identity the writer stores for a page; an unknown page code stores the
// destination-folder page.
qint32 pageIdentity(OutputPage page);

// The page a stored identity opens: 0 the destination-folder page, 1 or any negative
// value the reactions page, one of our identities its page, anything else the
// destination-folder page.
OutputPage pageFromIdentity(qint32 stored);

enum class ConfigDecodeError {
    None,
    BadMagic, // shorter than the magic, or the magic differs
    Corrupt,  // cut inside or before a fixed-width field, or a string length that cannot be right
};

// On any error the settings are the plain defaults, never a partly read record.
struct ConfigDecodeResult
{
    ConfigDecodeError error = ConfigDecodeError::None;
    StampSettings settings;

    bool ok() const { return error == ConfigDecodeError::None; }
};

// The bytes of a configuration file holding these settings.
QByteArray encodeConfig(const StampSettings &settings);

// Reads the bytes of a configuration file. List codes are taken as stored, even
// outside their lists; bytes after the last field are ignored.
ConfigDecodeResult decodeConfig(const QByteArray &bytes);

} // namespace markwell
