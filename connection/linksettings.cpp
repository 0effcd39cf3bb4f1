#include "connection/linksettings.h"

#include <QCoreApplication>
#include <QStringList>

int acceptedBaudRate(int rate)
{
    switch (rate) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
    case 19200:
    case 38400:
    case 57600:
    case 115200:
        return rate;
    default:
        return -1;
    }
}

QString hostText(int first, int second, int third, int fourth)
{
    return QStringList{QString::number(first), QString::number(second), QString::number(third),
                       QString::number(fourth)}
        .join(QLatin1Char('.'));
}

std::optional<std::array<int, 4>> dottedAddress(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<int, 4> address{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        address[std::size_t(i)] = parts.at(i).toInt(&ok);
        if (!ok || parts.at(i).size() > 3 || address[std::size_t(i)] < 0 ||
            address[std::size_t(i)] > 255)
            return std::nullopt;
    }
    return address;
}

QString serialDevicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./")) ||
        portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

const char *serialErrorSource(int error)
{
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("MainWindow", "No error."),
        QT_TRANSLATE_NOOP("MainWindow", "Device not found error."),
        QT_TRANSLATE_NOOP("MainWindow", "Permission error."),
        QT_TRANSLATE_NOOP("MainWindow", "Open error."),
        QT_TRANSLATE_NOOP("MainWindow", "Parity error."),
        QT_TRANSLATE_NOOP("MainWindow", "Framing error."),
        QT_TRANSLATE_NOOP("MainWindow", "Break condition error."),
        QT_TRANSLATE_NOOP("MainWindow", "Write error."),
        QT_TRANSLATE_NOOP("MainWindow", "Read error."),
        QT_TRANSLATE_NOOP("MainWindow", "Resource error."),
        QT_TRANSLATE_NOOP("MainWindow", "Unsupported operation error."),
        QT_TRANSLATE_NOOP("MainWindow", "Unknown error."),
        QT_TRANSLATE_NOOP("MainWindow", "Timeout error."),
        QT_TRANSLATE_NOOP("MainWindow", "Not open error."),
    };
    if (error < 0 || error >= int(std::size(texts)))
        return QT_TRANSLATE_NOOP("MainWindow", "Unkown error.");
    return texts[error];
}

QString serialErrorMessage(int error)
{
    return QCoreApplication::translate("MainWindow", "An error on the serial port has occurred!") +
           QLatin1Char('\n') + QCoreApplication::translate("MainWindow", serialErrorSource(error));
}

QString tcpErrorMessage(const QString &reason)
{
    return QCoreApplication::translate("MainWindow", "An TCP/IP error has occurred!") +
           QLatin1Char('\n') + reason;
}

QString connectTimeoutReason(int timeoutMs)
{
    return QCoreApplication::translate("MainWindow", "The player did not answer within %1 seconds.")
        .arg(timeoutMs / 1000);
}

QString onDemandLinkNote()
{
    return QCoreApplication::translate("MainWindow",
                                       "This player needs no Connect: each command opens its own "
                                       "connection, which the player closes after answering.");
}
