#pragma once

#include "BatchRun.h"
#include "StampSettings.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

class QProcess;

namespace markwell {

class CommandLineHost;
class TLanguage;

// A batch run spread over worker processes (the image library's state is per
// process, so parallel work means processes). It behaves as a run with one job: the
// same checks and messages, the questions about existing destinations asked here in
// list order, the same outputs, log lines in list order and the same counts.
class ParallelBatch : public QObject
{
    Q_OBJECT

public:
    ParallelBatch(CommandLineHost &host, const TLanguage &language, StampSettings settings, QStringList images,
                  int jobs, QString workerProgram);
    ~ParallelBatch() override;

    RunResult run();

private:
    // What becomes of one listed file.
    enum class Outcome { Pending, NotExists, Skipped, Saved, NotLoaded, NotSaved };
    struct Task
    {
        int index;
        QString source;
        QString destination;
    };
    struct Worker
    {
        QProcess *process = nullptr;
        QByteArray pending;      // answer bytes not yet ending in a newline
        std::optional<int> busy; // the task it works on
    };

    bool stampLoads();
    void plan();
    bool startWorker(Worker &worker);
    void dispatch();
    void readAnswers(Worker &worker);
    void workerEnded(Worker &worker);
    void finish(int index, Outcome outcome);
    void flushLog();

    CommandLineHost &m_host;
    const TLanguage &m_language;
    StampSettings m_settings;
    QStringList m_images;
    int m_jobs;
    QString m_workerProgram;
    QString m_settingsFile;

    QList<Outcome> m_outcomes;
    QList<QString> m_destinations;
    QList<Task> m_queue;
    QList<Worker> m_workers;
    int m_logged = 0;
    int m_saved = 0;
    bool m_stopping = false;
};

} // namespace markwell
