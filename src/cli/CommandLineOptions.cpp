#include "CommandLineOptions.h"

namespace markwell {

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    bool onlyImages = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (onlyImages) {
            options.images.append(argument);
        } else if (argument == u"--") {
            onlyImages = true;
        } else if (argument == u"--help" || argument == u"-h") {
            options.help = true;
        } else if (argument == u"--config") {
            if (++i >= arguments.size()) {
                options.error = QStringLiteral("--config needs a file name");
                return options;
            }
            options.configPath = arguments[i];
        } else if (argument.startsWith(u"--config=")) {
            options.configPath = argument.mid(9);
        } else if (argument == u"--jobs" || argument.startsWith(u"--jobs=")) {
            QString value;
            if (argument == u"--jobs") {
                if (++i >= arguments.size()) {
                    options.error = QStringLiteral("--jobs needs a number");
                    return options;
                }
                value = arguments[i];
            } else {
                value = argument.mid(7);
            }
            bool ok = false;
            options.jobs = value.toInt(&ok);
            if (!ok || options.jobs < 0) {
                options.error = QStringLiteral("--jobs needs a number of 0 or more, not %1").arg(value);
                return options;
            }
        } else if (argument == u"--worker") {
            if (++i >= arguments.size()) {
                options.error = QStringLiteral("--worker needs a file name");
                return options;
            }
            options.workerSettings = arguments[i];
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            options.error = QStringLiteral("unknown option %1").arg(argument);
            return options;
        } else {
            options.images.append(argument);
        }
    }
    return options;
}

QString commandLineHelp()
{
    return QStringLiteral("Usage: markwell-batch [--config FILE] [--jobs N] [--] IMAGE...\n"
                          "\n"
                          "Stamps every IMAGE the way the Markwell window would and writes each result as a\n"
                          "new file named stamped_<name>.\n"
                          "\n"
                          "  --config FILE  take the settings from this configuration file; without it, from\n"
                          "                 the configuration the window saved when it last closed, else the\n"
                          "                 built-in defaults\n"
                          "  --jobs N       stamp with N processes at once (0: one per core; default 1); the\n"
                          "                 results, the log and the exit status are those of one process\n"
                          "  --             every argument after this is an image, even one starting with -\n"
                          "  -h, --help     show this text\n"
                          "\n"
                          "Log lines go to standard output, messages and a progress bar (on a terminal) to\n"
                          "standard error. When a result file exists and the configuration says Ask, the\n"
                          "question is asked on the terminal (y/N) if standard input is one, and counts as\n"
                          "No otherwise. Ctrl+C stops after the current file.\n"
                          "\n"
                          "Exit status: 0 every image was saved, 1 some were not, 2 the run did not start\n"
                          "(bad arguments, an unreadable configuration, a failed check, a stamp picture that\n"
                          "cannot be loaded).\n");
}

} // namespace markwell
