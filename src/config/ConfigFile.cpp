#include "ConfigFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace markwell {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

ConfigFileResult readConfigFile(const QString &path)
{
    ConfigFileResult result;
    if (!QFileInfo::exists(path)) {
        result.status = ConfigFileStatus::Missing;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ConfigFileStatus::Unreadable;
        result.errorText = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = ConfigFileStatus::Unreadable;
        result.errorText = file.errorString();
        return result;
    }

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    switch (decoded.error) {
    case ConfigDecodeError::None:
        result.settings = decoded.settings;
        break;
    case ConfigDecodeError::BadMagic:
        result.status = ConfigFileStatus::BadMagic;
        break;
    case ConfigDecodeError::Corrupt:
        result.status = ConfigFileStatus::Corrupt;
        break;
    }
    return result;
}

bool writeConfigFile(const QString &path, const StampSettings &settings, QString *error)
{
    return writeFileAtomically(path, encodeConfig(settings), error);
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace markwell
