#pragma once

#include "link/linktarget.h"

#include <QObject>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QVector>

// What became of a frame: out on the line, still queued on its link, or never out (no link
// took it, or the link closed before its bytes left).
enum class SendState
{
    Sent,
    Waiting,
    NotSent,
};

// Why a link last failed, as far as a site's list of players tells it: nobody listening at the
// address, no such device or network, or anything else (a stalled handshake, a lost link).
enum class LinkFailure
{
    None,
    Refused,
    Absent,
    Other,
};

// One player's link: a serial port, a TCP/IP connection, or a connection per frame for devices
// that close theirs after each answer. It opens and closes, waits for a lost device to come
// back when asked to, follows each frame until its bytes have left or never will, and tells
// what happens through its signals; its owner renders them.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Closed,
        Connecting,
        Open,
        // Lost while open: tried again after a growing pause (or at retry()); frames are refused.
        Waiting,
    };

    explicit DeviceLink(QObject *parent = nullptr);
    ~DeviceLink() override;

    // Where the links of serial adapters with stable names are, for a lost adapter to be found
    // again under another port name.
    void setStableNamesDirectory(const QString &directory) { m_stableNames = directory; }
    // Whether a link lost while open waits for its device instead of closing.
    void setWaitsForLostDevice(bool waits) { m_waitsForLostDevice = waits; }
    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }

    // Opens the link: a serial port at once, a connection in the background. False when it
    // failed at once (failed() has told why) or a link is already open.
    bool open(const LinkTarget &target);
    // Chooses the target of a per-frame link, which opens for each frame.
    void setTarget(const LinkTarget &target);
    // Closes the link and stops waiting; frames that had not left never will.
    void close();
    // A waiting link tries its device now (serial devices came or went).
    void retry();

    State state() const { return m_state; }
    const LinkTarget &target() const { return m_target; }
    // The open link in words, for a record of the session: empty when none is open.
    QString description() const;
    // The last failure's message: what failed, a line break, then why.
    QString errorMessage() const { return m_errorMessage; }
    LinkFailure lastFailure() const { return m_lastFailure; }

    // Hands a frame to the link and returns its number; 0 when the link is closed and takes no
    // frames. With `answerWaitMs` >= 0, what the device sends within that time after the frame
    // has left is its answer (answered()). The frame is written at once: frameLeft() and
    // failed() may come before this returns, which lastFrameState() then tells.
    int send(const QByteArray &frame, const QString &name, int answerWaitMs = -1);
    int lastFrame() const { return m_lastFrame; }
    SendState lastFrameState() const { return m_lastFrameState; }

    // What the last read brought.
    const QByteArray &lastReceived() const { return m_lastReceived; }

signals:
    void stateChanged(DeviceLink::State state);
    void received(const QByteArray &chunk);
    // A frame handed to an open link, at once, so that it comes before any reply; one queued
    // while connecting, once its bytes have left.
    void frameSent(int frame, const QByteArray &bytes, const QString &name);
    void frameNotSent(int frame, const QByteArray &bytes, const QString &name);
    // Every byte of the frame has been written to the line.
    void frameLeft(int frame);
    void answered(int frame, const QByteArray &answer);
    // Before the link is closed, or waits for its device as said.
    void failed(const QString &message, bool waitsForDevice);

private:
    struct FrameInFlight
    {
        int number = 0;
        // Bytes queued on the link, this frame's included, that must leave before it is out.
        qint64 bytesLeft = 0;
        QByteArray bytes;
        QString name;
        bool toTellWhenOut = false;
        int answerWaitMs = -1;
    };

    bool openSerial(const QString &port, bool reportFailure);
    void connectSocket();
    void onSocketError(QAbstractSocket::SocketError error);
    void onConnectTimeout();
    void fail(const QString &message, LinkFailure kind = LinkFailure::Other);
    void closeTransports();
    void readFrom(QIODevice *device);
    void onBytesWritten(qint64 bytes);
    void settleFrame(int number, SendState state);
    void endAnswer();
    void waitForDevice();
    void setState(State state);
    QIODevice *openTransport();

    LinkTarget m_target;
    State m_state = State::Closed;
    QSerialPort m_serial;
    QTcpSocket m_socket;
    QTimer m_connectTimer;
    int m_connectTimeoutMs;
    // The stable name of the adapter that the serial link opened, followed when it is lost.
    QString m_stableName;
    QString m_stableNames;
    bool m_waitsForLostDevice = false;
    int m_attempt = 0;
    bool m_closing = false;
    QTimer m_retryTimer;
    QTimer m_stayedUpTimer;
    QString m_errorMessage;
    LinkFailure m_lastFailure = LinkFailure::None;

    QVector<FrameInFlight> m_inFlight;
    int m_lastFrame = 0;
    SendState m_lastFrameState = SendState::Sent;
    // The frame whose answer is being collected, if any.
    int m_answering = 0;
    QByteArray m_answer;
    QTimer m_answerTimer;

    QByteArray m_lastReceived;
};
