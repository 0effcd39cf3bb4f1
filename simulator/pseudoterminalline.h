#pragma once

#include <QObject>
#include <QString>

class DeviceConversation;
class QSocketNotifier;
class SimulatedDevice;
class Transcript;

// A pseudo-terminal pair: the console opens the slave by its path as its serial port, the
// device reads and writes the master. The device keeps the slave open too, so that the line
// survives the console closing and opening its port again.
class PseudoTerminalLine : public QObject
{
    Q_OBJECT

public:
    PseudoTerminalLine(SimulatedDevice &device, Transcript &transcript, QObject *parent = nullptr);
    ~PseudoTerminalLine() override;

    // False with the reason in `error` when no pair can be had.
    bool open(QString &error);
    QString slavePath() const { return m_slavePath; }

private:
    void readMaster();
    void writeMaster(const QByteArray &bytes);

    Transcript &m_transcript;
    DeviceConversation *m_conversation;
    QSocketNotifier *m_notifier = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
