#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Appends to a file from a thread of its own, which also opens it: a FIFO without a reader or a
// stalled network mount blocks in open() as in write(), and no call of the owner's waits on
// that for longer than it says. A thread stuck for good is left behind; it owns what it uses,
// so that it touches nothing of its owner's when the medium wakes up.
class RecordingWriter
{
public:
    enum class Failure
    {
        None,
        CannotOpen,
        CannotWrite,
        // Removed, or another file put at its path: what follows would go nowhere a user sees.
        FileGone,
    };

    explicit RecordingWriter(const QString &path);
    // Leaves the thread to close the file, without waiting.
    ~RecordingWriter();

    RecordingWriter(const RecordingWriter &) = delete;
    RecordingWriter &operator=(const RecordingWriter &) = delete;

    void write(const QByteArray &bytes);
    // Bytes handed over and not yet in the file.
    qint64 unwritten() const;
    // The first failure, after which nothing more is written, so that the file has no hole in
    // its middle; `reason` then holds the system's words, if any.
    Failure failure(QString *reason = nullptr) const;
    // Lets the thread write what it holds and close the file, waiting at most `waitMs` for it;
    // returns what it did not write by then, which it never will.
    qint64 finish(int waitMs);

private:
    struct Shared;
    static void run(const std::shared_ptr<Shared> &shared, const QByteArray &path);

    std::shared_ptr<Shared> m_shared;
};
