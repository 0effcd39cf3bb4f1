#include "startup/quitonsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
const int handledSignals[] = {SIGINT, SIGTERM, SIGHUP};
} // namespace

int QuitOnSignals::s_pipe[2] = {-1, -1};

QuitOnSignals::QuitOnSignals(QObject *parent)
    : QObject(parent)
{}

QuitOnSignals::~QuitOnSignals()
{
    for (int signalNumber : handledSignals)
        std::signal(signalNumber, SIG_DFL);
    std::signal(SIGPIPE, SIG_DFL);
    for (int &end : s_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

bool QuitOnSignals::install()
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = &QuitOnSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : handledSignals) {
        if (sigaction(signalNumber, &action, nullptr) != 0)
            return false;
    }
    // A reader gone from a pipe or socket is a failed write, reported as any other.
    return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
}

void QuitOnSignals::handle(int signalNumber)
{
    const int savedErrno = errno;
    const char number = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &number, 1);
    errno = savedErrno;
}

void QuitOnSignals::readPipe()
{
    char number = 0;
    if (::read(s_pipe[0], &number, 1) == 1) {
        emit received(number);
        QCoreApplication::quit();
    }
}
