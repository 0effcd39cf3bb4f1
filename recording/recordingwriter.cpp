#include "recording/recordingwriter.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

struct RecordingWriter::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    QByteArray queue;
    std::atomic<qint64> unwritten{0};
    bool closing = false;
    // The owner has stopped waiting: whatever is left is not to be written.
    std::atomic<bool> abandoned{false};
    bool done = false;
    Failure failure = Failure::None;
    int errorNumber = 0;
};

namespace {

// The file opened is still the one at its path: neither removed (no link left) nor replaced.
bool stillAtPath(int fd, const QByteArray &path)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && opened.st_nlink > 0 &&
           ::stat(path.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// A reader gone from a FIFO then fails the write with EPIPE instead of ending the program,
// whatever the program does with the signal elsewhere.
void blockBrokenPipeSignal()
{
    sigset_t brokenPipe;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
}

} // namespace

RecordingWriter::RecordingWriter(const QString &path)
    : m_shared(std::make_shared<Shared>())
{
    std::thread(run, m_shared, QFile::encodeName(path)).detach();
}

RecordingWriter::~RecordingWriter()
{
    finish(0);
}

void RecordingWriter::write(const QByteArray &bytes)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->failure != Failure::None || m_shared->closing)
        return;
    m_shared->queue += bytes;
    m_shared->unwritten += bytes.size();
    m_shared->changed.notify_all();
}

qint64 RecordingWriter::unwritten() const
{
    return m_shared->unwritten;
}

RecordingWriter::Failure RecordingWriter::failure(QString *reason) const
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (reason && m_shared->errorNumber != 0)
        *reason = qt_error_string(m_shared->errorNumber);
    return m_shared->failure;
}

qint64 RecordingWriter::finish(int waitMs)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->closing = true;
    m_shared->changed.notify_all();
    if (!m_shared->changed.wait_for(lock, std::chrono::milliseconds(waitMs),
                                    [this] { return m_shared->done; })) {
        m_shared->abandoned = true;
        m_shared->queue = QByteArray();
    }
    return m_shared->unwritten;
}

void RecordingWriter::run(const std::shared_ptr<Shared> &shared, const QByteArray &path)
{
    blockBrokenPipeSignal();
    // Unbuffered: each batch goes to the file in one write, whose failure is seen at once.
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    std::unique_lock<std::mutex> lock(shared->mutex);
    if (fd < 0) {
        shared->failure = Failure::CannotOpen;
        shared->errorNumber = errno;
    }
    while (fd >= 0 && shared->failure == Failure::None) {
        shared->changed.wait(lock, [&shared] {
            return !shared->queue.isEmpty() || shared->closing || shared->abandoned;
        });
        if (shared->queue.isEmpty() || shared->abandoned)
            break;
        const QByteArray batch = std::exchange(shared->queue, QByteArray());
        lock.unlock();
        Failure failure = stillAtPath(fd, path) ? Failure::None : Failure::FileGone;
        int errorNumber = 0;
        // A write cut short (a size limit reached) is tried again, which tells why it stopped.
        for (qint64 written = 0;
             failure == Failure::None && written < batch.size() && !shared->abandoned;) {
            const ssize_t last = ::write(fd, batch.constData() + written, batch.size() - written);
            if (last < 0 && errno == EINTR)
                continue;
            if (last <= 0) {
                failure = Failure::CannotWrite;
                errorNumber = last < 0 ? errno : EIO;
                break;
            }
            written += last;
            shared->unwritten -= last;
        }
        lock.lock();
        shared->failure = failure;
        shared->errorNumber = errorNumber;
    }
    shared->done = true;
    lock.unlock();
    shared->changed.notify_all();
    if (fd >= 0)
        ::close(fd);
}
