#include "BatchRun.h"
#include "BatchWorker.h"
#include "CommandLineHost.h"
#include "CommandLineOptions.h"
#include "ConfigFile.h"
#include "ConfigLocation.h"
#include "ParallelBatch.h"
#include "TLanguage.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>

#include <cstdio>
#include <memory>

using namespace markwell;

namespace {

enum ExitStatus { AllSaved = 0, SomeNotSaved = 1, NotStarted = 2 };

void printError(const QString &text)
{
    const QByteArray bytes = (QStringLiteral("markwell-batch: ") + text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

QString describe(const ConfigFileResult &result, const QString &path)
{
    switch (result.status) {
    case ConfigFileStatus::Missing:
        return QStringLiteral("%1: no such configuration file").arg(path);
    case ConfigFileStatus::Unreadable:
        return QStringLiteral("%1: cannot read the configuration file: %2").arg(path, result.errorText);
    case ConfigFileStatus::BadMagic:
    case ConfigFileStatus::Corrupt:
        return QStringLiteral("%1: not a valid configuration file").arg(path);
    case ConfigFileStatus::Loaded:
        break;
    }
    return {};
}

// The folder of this program, which holds its languages.
QString programFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + u'/';
}

// Fonts are needed to draw a text stamp and to measure the relative position marker;
// without them the program starts leaner and faster, with no GUI application at all.
bool needsFonts(const StampSettings &settings)
{
    return settings.markType == MarkType::Text || settings.positionType == PositionType::Relative;
}

// Qt's own notices about the session (a missing runtime folder on a server, say) are
// not the user's business in a batch; real problems reach the user as messages.
void quietQtNotices(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv, bool fonts)
{
    qInstallMessageHandler(quietQtNotices);
    if (!fonts)
        return std::make_unique<QCoreApplication>(argc, argv);
    // Never a display: the batch runs on servers too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineOptions options = parseCommandLine(arguments);
    if (options.help) {
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        return AllSaved;
    }
    if (!options.error.isEmpty()) {
        printError(options.error + QStringLiteral(" (see --help)"));
        return NotStarted;
    }
    QCoreApplication::setApplicationName(QStringLiteral("markwell"));

    if (!options.workerSettings.isEmpty()) {
        const ConfigFileResult config = readConfigFile(options.workerSettings);
        if (!config.ok())
            return NotStarted;
        const auto app = makeApplication(argc, argv, needsFonts(config.settings));
        return runBatchWorker(config.settings);
    }

    const QString appDir = programFolder();
    StampSettings settings = StampSettings::defaults();
    QString configPath = options.configPath;
    if (configPath.isEmpty()) {
        const QString startup = configurationFolder(appDir) + StartupConfigName;
        if (QFileInfo::exists(startup))
            configPath = startup;
    }
    if (!configPath.isEmpty()) {
        const ConfigFileResult config = readConfigFile(configPath);
        if (!config.ok()) {
            printError(describe(config, configPath));
            return NotStarted;
        }
        settings = config.settings;
    }
    const auto app = makeApplication(argc, argv, needsFonts(settings));

    QString languageFile = settings.languageFile;
    if (!QFileInfo::exists(languageFile))
        languageFile = appDir + QStringLiteral("languages/english.ini");
    TLanguage language;
    language.Load(languageFile);
    settings.languageFile = languageFile;

    CommandLineHost host(settings, options.images, language);
    installInterruptHandler();
    const int jobs = options.jobs == 0 ? QThread::idealThreadCount() : options.jobs;
    RunResult result;
    if (jobs > 1 && options.images.size() > 1) {
        ParallelBatch batch(host, language, settings, options.images, jobs, appDir + QStringLiteral("markwell-batch"));
        result = batch.run();
    } else {
        BatchRun run(host, language);
        host.attach(run);
        result = run.btnProceedClick();
    }
    if (result.outcome != RunResult::Outcome::Finished)
        return NotStarted;
    return result.saved == result.listed && !result.cancelled ? AllSaved : SomeNotSaved;
}
