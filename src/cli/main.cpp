#include "BatchRun.h"
#include "CommandLineHost.h"
#include "BatchWorker.h"
#include "CommandLineOptions.h"
#include "ParallelBatch.h"
#include "ConfigFile.h"
#include "ConfigLocation.h"
#include "TLanguage.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>

#include <cstdio>

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

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a GUI application, but never a display: the batch runs on servers too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("markwell"));

    const CommandLineOptions options = parseCommandLine(QCoreApplication::arguments());
    if (options.help) {
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        return AllSaved;
    }
    if (!options.error.isEmpty()) {
        printError(options.error + QStringLiteral(" (see --help)"));
        return NotStarted;
    }
    if (!options.workerSettings.isEmpty())
        return runBatchWorker(options.workerSettings);

    const QString appDir = QCoreApplication::applicationDirPath() + u'/';
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
        ParallelBatch batch(host, language, settings, options.images, jobs, QCoreApplication::applicationFilePath());
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
