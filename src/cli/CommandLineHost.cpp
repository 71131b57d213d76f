#include "CommandLineHost.h"

#include "BatchRun.h"
#include "MarkerSize.h"
#include "TLanguage.h"

#include <csignal>
#include <iostream>
#include <string>

#include <unistd.h>

namespace markwell {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int)
{
    interrupted = 1;
    // A second Ctrl+C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

void writeLine(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

void installInterruptHandler()
{
    std::signal(SIGINT, onInterrupt);
}

bool takeInterrupt()
{
    const bool wasInterrupted = interrupted != 0;
    interrupted = 0;
    return wasInterrupted;
}

CommandLineHost::CommandLineHost(StampSettings settings, QStringList images, const TLanguage &language)
    : m_settings(std::move(settings))
    , m_images(std::move(images))
    // Only a relative position reads the marker; measuring it needs fonts.
    , m_markerSize(m_settings.positionType == PositionType::Relative
                       ? markwell::markerSize(language.GetText(QStringLiteral("Stamp")))
                       : QSize())
    , m_log(*this)
    , m_progressOnTerminal(isatty(STDERR_FILENO))
    , m_askOnTerminal(isatty(STDIN_FILENO))
{
}

void CommandLineHost::processEvents()
{
    if (m_run && m_run->tag() == 1 && takeInterrupt())
        m_run->btnProceedClick();
}

void CommandLineHost::showMessage(const QString &text, MessageIcon)
{
    clearProgress();
    writeLine(stderr, text);
}

bool CommandLineHost::askYesNo(const QString &text, const QString &caption)
{
    if (!m_askOnTerminal)
        return false;
    clearProgress();
    const QByteArray prompt = (caption + QStringLiteral(": ") + text + QStringLiteral(" [y/N] ")).toLocal8Bit();
    std::fwrite(prompt.constData(), 1, std::size_t(prompt.size()), stderr);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

void CommandLineHost::setProgressMaximum(int maximum)
{
    m_progressMaximum = maximum;
}

void CommandLineHost::setProgressPosition(int position)
{
    if (!m_progressOnTerminal || m_progressMaximum <= 0)
        return;
    if (position == 0 && m_progressShown) {
        clearProgress();
        return;
    }
    constexpr int barWidth = 30;
    const int filled = int(qint64(position) * barWidth / m_progressMaximum);
    const std::string bar = std::string(std::size_t(filled), '#') + std::string(std::size_t(barWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.c_str(), position + 1, m_progressMaximum);
    std::fflush(stderr);
    m_progressShown = true;
}

void CommandLineHost::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_progressShown = false;
}

void CommandLineHost::appendEntry(const QString &entry)
{
    clearProgress();
    writeLine(stdout, entry);
}

} // namespace markwell
