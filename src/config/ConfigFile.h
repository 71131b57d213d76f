#pragma once

#include "ConfigCodec.h"

#include <QByteArray>
#include <QString>

namespace markwell {

enum class ConfigFileStatus {
    Loaded,
    Missing,    // no file at the path
    Unreadable, // the file exists but could not be opened or read
    BadMagic,
    Corrupt,
};

// On any status but Loaded the settings are the plain defaults.
struct ConfigFileResult
{
    ConfigFileStatus status = ConfigFileStatus::Loaded;
    StampSettings settings;
    QString errorText; // the system's reason when the file could not be read

    bool ok() const { return status == ConfigFileStatus::Loaded; }
};

ConfigFileResult readConfigFile(const QString &path);

bool writeConfigFile(const QString &path, const StampSettings &settings, QString *error = nullptr);

// Writes to a temporary file beside the target and renames it into place, so a
// failed write leaves whatever was at the path untouched.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace markwell
