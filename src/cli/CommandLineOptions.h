#pragma once

#include <QString>
#include <QStringList>

namespace markwell {

struct CommandLineOptions
{
    QString configPath; // empty: the start-up configuration, else the defaults
    QStringList images;
    bool help = false;
    QString error; // set when the arguments cannot be used
};

// Reads `markwell-batch [--config FILE] [--] IMAGE...` (program name first).
CommandLineOptions parseCommandLine(const QStringList &arguments);

QString commandLineHelp();

} // namespace markwell
