#pragma once

#include <QString>
#include <QStringList>

namespace markwell {

struct CommandLineOptions
{
    QString configPath; // empty: the start-up configuration, else the defaults
    QStringList images;
    int jobs = 1;           // worker processes; 0: one per core
    QString workerSettings; // set in a worker process of a parallel run
    bool help = false;
    QString error; // set when the arguments cannot be used
};

// Reads `markwell-batch [--config FILE] [--] IMAGE...` (program name first).
CommandLineOptions parseCommandLine(const QStringList &arguments);

QString commandLineHelp();

} // namespace markwell
