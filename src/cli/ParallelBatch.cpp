#include "ParallelBatch.h"

#include "BatchWorker.h"
#include "CommandLineHost.h"
#include "ConfigFile.h"
#include "FileStamper.h"
#include "LogMessages.h"
#include "OutputPath.h"
#include "RunChecks.h"
#include "TLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryFile>
#include <QTimer>

namespace markwell {

ParallelBatch::ParallelBatch(CommandLineHost &host, const TLanguage &language, StampSettings settings,
                             QStringList images, int jobs, QString workerProgram)
    : m_host(host)
    , m_language(language)
    , m_settings(std::move(settings))
    , m_images(std::move(images))
    , m_jobs(std::max(1, jobs))
    , m_workerProgram(std::move(workerProgram))
{
}

ParallelBatch::~ParallelBatch()
{
    if (!m_settingsFile.isEmpty())
        QFile::remove(m_settingsFile);
}

bool ParallelBatch::stampLoads()
{
    const auto libraryLock = lockImageLibrary();
    const ImageLibrarySession session;
    return FileStamper::prepare(m_settings) != nullptr;
}

RunResult ParallelBatch::run()
{
    RunResult result;
    if (const auto refusal = checkBeforeRun(m_settings, int(m_images.size()))) {
        m_host.showMessage(m_language.GetText(refusal->messageKey), refusal->icon);
        result.outcome = RunResult::Outcome::Refused;
        return result;
    }
    if (!stampLoads()) {
        m_host.showMessage(stampFailedMessage(m_language, m_settings.markImagePath), MessageIcon::Error);
        result.outcome = RunResult::Outcome::StampFailed;
        return result;
    }

    // The workers read the run's settings from a file of their own, so every one of
    // them works with exactly these.
    QTemporaryFile settingsFile(QDir::tempPath() + QStringLiteral("/markwell-run-XXXXXX.config"));
    settingsFile.setAutoRemove(false);
    if (!settingsFile.open() || settingsFile.write(encodeConfig(m_settings)) < 0 || !settingsFile.flush()) {
        m_host.showMessage(settingsFile.errorString(), MessageIcon::Error);
        result.outcome = RunResult::Outcome::Refused;
        return result;
    }
    m_settingsFile = settingsFile.fileName();
    settingsFile.close();

    m_host.setProgressMaximum(int(m_images.size()));
    plan();

    m_workers.resize(std::min<qsizetype>(m_jobs, std::max<qsizetype>(1, m_queue.size())));
    QEventLoop loop;
    QTimer interruptCheck;
    connect(&interruptCheck, &QTimer::timeout, this, [this] {
        if (takeInterrupt()) {
            m_stopping = true;
            m_queue.clear();
        }
    });
    interruptCheck.start(50);

    const auto allDone = [this] {
        return m_queue.isEmpty() && std::none_of(m_workers.begin(), m_workers.end(),
                                                 [](const Worker &worker) { return worker.busy.has_value(); });
    };
    dispatch();
    while (!allDone())
        loop.processEvents(QEventLoop::WaitForMoreEvents);

    for (Worker &worker : m_workers) {
        if (worker.process) {
            worker.process->disconnect(this);
            worker.process->closeWriteChannel();
            worker.process->waitForFinished(10000);
        }
    }

    // After a cancel, files that were never begun leave no line, as in a run with one job.
    for (Outcome &outcome : m_outcomes) {
        if (outcome == Outcome::Pending)
            outcome = Outcome::Skipped;
    }
    flushLog();
    m_host.setProgressPosition(0);
    result.outcome = RunResult::Outcome::Finished;
    result.cancelled = m_stopping;
    result.saved = m_saved;
    result.listed = int(m_images.size());
    m_host.AddToLog(finishedMessage(m_language, result.saved, result.listed));
    return result;
}

void ParallelBatch::plan()
{
    // Decided here in list order, as one job would: a destination that an earlier
    // file of this run will write counts as existing.
    QSet<QString> written;
    m_outcomes.fill(Outcome::Pending, m_images.size());
    for (int i = 0; i < m_images.size(); ++i) {
        const QString &source = m_images[i];
        if (!fileExists(source)) {
            finish(i, Outcome::NotExists);
            continue;
        }
        const QString destination =
            outputPath(source, m_settings.destMode, m_settings.customFolder, m_settings.outputFormat);
        if (fileExists(destination) || written.contains(destination)) {
            if (m_settings.ifExists == IfExists::Skip ||
                (m_settings.ifExists == IfExists::Ask &&
                 !m_host.askYesNo(fileMessage(m_language, destination, QStringLiteral("LogExists")),
                                  m_language.GetText(QStringLiteral("FileExists"))))) {
                finish(i, Outcome::Skipped);
                continue;
            }
        }
        written.insert(destination);
        m_queue.append({i, source, destination});
    }
}

bool ParallelBatch::startWorker(Worker &worker)
{
    worker.process = new QProcess(this);
    worker.process->setProgram(m_workerProgram);
    worker.process->setArguments({QStringLiteral("--worker"), m_settingsFile});
    worker.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(worker.process, &QProcess::readyReadStandardOutput, this, [this, &worker] { readAnswers(worker); });
    connect(worker.process, &QProcess::finished, this, [this, &worker] { workerEnded(worker); });
    worker.process->start();
    return worker.process->waitForStarted();
}

void ParallelBatch::dispatch()
{
    for (Worker &worker : m_workers) {
        if (worker.busy || m_queue.isEmpty())
            continue;
        // Two files with one destination are written one after the other, in order.
        QSet<QString> inFlight;
        for (const Worker &other : m_workers) {
            if (other.busy)
                inFlight.insert(m_destinations.value(*other.busy));
        }
        const auto next = std::find_if(m_queue.begin(), m_queue.end(),
                                       [&](const Task &task) { return !inFlight.contains(task.destination); });
        if (next == m_queue.end())
            return;
        if (!worker.process && !startWorker(worker)) {
            // No worker process to be had: what is left cannot be stamped.
            for (const Task &task : std::as_const(m_queue))
                finish(task.index, Outcome::NotLoaded);
            m_queue.clear();
            return;
        }
        const Task task = *next;
        m_queue.erase(next);
        m_destinations.resize(std::max<qsizetype>(m_destinations.size(), task.index + 1));
        m_destinations[task.index] = task.destination;
        worker.busy = task.index;
        worker.process->write(QByteArray::number(task.index) + ' ' + task.source.toUtf8().toPercentEncoding() + ' ' +
                              task.destination.toUtf8().toPercentEncoding() + '\n');
    }
}

void ParallelBatch::readAnswers(Worker &worker)
{
    worker.pending += worker.process->readAllStandardOutput();
    qsizetype end;
    while ((end = worker.pending.indexOf('\n')) >= 0) {
        const QList<QByteArray> fields = worker.pending.left(end).split(' ');
        worker.pending.remove(0, end + 1);
        bool indexOk = false;
        bool outcomeOk = false;
        const int index = fields.value(0).toInt(&indexOk);
        const int outcome = fields.value(1).toInt(&outcomeOk);
        if (!indexOk || !outcomeOk || worker.busy != index)
            continue;
        worker.busy.reset();
        finish(index, outcome == int(FileStamper::Outcome::Saved)       ? Outcome::Saved
                      : outcome == int(FileStamper::Outcome::NotLoaded) ? Outcome::NotLoaded
                                                                        : Outcome::NotSaved);
    }
    dispatch();
}

void ParallelBatch::workerEnded(Worker &worker)
{
    // A worker that dies takes only its own file with it; the rest go on in a new one.
    if (worker.busy) {
        const int index = *worker.busy;
        worker.busy.reset();
        finish(index, Outcome::NotLoaded);
    }
    worker.process->deleteLater();
    worker.process = nullptr;
    worker.pending.clear();
    dispatch();
}

void ParallelBatch::finish(int index, Outcome outcome)
{
    m_outcomes[index] = outcome;
    if (outcome == Outcome::Saved)
        ++m_saved;
    flushLog();
}

void ParallelBatch::flushLog()
{
    // Log lines come out in list order, each as soon as every file before it is done.
    while (m_logged < m_outcomes.size() && m_outcomes[m_logged] != Outcome::Pending) {
        const int i = m_logged++;
        switch (m_outcomes[i]) {
        case Outcome::NotExists:
            m_host.AddToLog(fileMessage(m_language, m_images[i], QStringLiteral("LogNotExists")));
            break;
        case Outcome::NotLoaded:
            m_host.AddToLog(fileMessage(m_language, m_images[i], QStringLiteral("LogCouldntBeLoaded")));
            break;
        case Outcome::NotSaved:
            m_host.AddToLog(fileMessage(m_language, m_destinations.value(i), QStringLiteral("LogCouldntBeSaved")));
            break;
        case Outcome::Pending:
        case Outcome::Skipped:
        case Outcome::Saved:
            break;
        }
        m_host.setProgressPosition(std::min(m_logged, int(m_outcomes.size()) - 1));
    }
}

} // namespace markwell
