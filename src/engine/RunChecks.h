#pragma once

#include "StampSettings.h"

#include <QString>

#include <optional>

namespace markwell {

enum class MessageIcon { Information, Error };

// Why a run does not start: the language key of the message and its icon.
struct RunRefusal
{
    QString messageKey;
    MessageIcon icon;

    friend bool operator==(const RunRefusal &, const RunRefusal &) = default;
};

// Whether a file (not a folder) is at the path.
bool fileExists(const QString &path);

// The checks made before a run, in their order; the first that fails refuses the run.
std::optional<RunRefusal> checkBeforeRun(const StampSettings &settings, int fileCount);

} // namespace markwell
