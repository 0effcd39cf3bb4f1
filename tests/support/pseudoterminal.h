#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair: the console opens the slave as its serial port, the test plays
// the device on the master.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_master >= 0; }

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
    QString slaveName() const { return m_slaveName; }

    // Waits up to `timeoutMs` for at least `count` bytes from the console.
    QByteArray read(int count, int timeoutMs = 3000);
    bool write(const QByteArray &bytes);
    // The device goes away.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
};
