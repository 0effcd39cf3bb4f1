#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair, a serial line without hardware: the console opens the slave by its
// path as its serial port, and whoever plays the device (the simulator, a test) reads and
// writes the master. The slave is kept open too, so that the line survives the console
// closing and opening its port again.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_master >= 0; }
    // Why no pair could be had.
    QString errorString() const { return m_error; }
    QString slaveName() const { return m_slaveName; }
    int masterDescriptor() const { return m_master; }

    // The line settings that whoever opened the slave gave it.
    struct LineSettings
    {
        int baudRate = 0;
        int dataBits = 0;
        bool parity = false;
        bool twoStopBits = false;
        bool hardwareFlowControl = false;
        bool softwareFlowControl = false;
    };
    LineSettings lineSettings() const;

    // What the master has received so far, without waiting.
    QByteArray readAvailable();
    // Waits up to `timeoutMs`, the event loop running, for at least `count` bytes.
    QByteArray read(int count, int timeoutMs = 3000);
    bool write(const QByteArray &bytes);
    // The device goes away.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
    QString m_error;
};
