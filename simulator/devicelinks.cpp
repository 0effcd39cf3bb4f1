#include "simulator/devicelinks.h"

#include "link/serialsetup.h"
#include "simulator/deviceconversation.h"
#include "simulator/pseudoterminal.h"
#include "simulator/transcript.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

std::unique_ptr<QObject> listenOnLoopback(SimulatedDevice &device, const QHostAddress &address,
                                          quint16 port, QString &error)
{
    auto server = std::make_unique<QTcpServer>();
    const QString place = QStringLiteral("%1:%2").arg(address.toString()).arg(port);
    if (!server->listen(address, port)) {
        error = QStringLiteral("cannot listen on %1: %2").arg(place, server->errorString());
        return nullptr;
    }
    QTcpServer *listener = server.get();
    // The server is the context of the handlers that report a connection closed, so that the
    // connections it closes as it is destroyed report nothing.
    QObject::connect(listener, &QTcpServer::newConnection, listener, [listener, &device] {
        while (QTcpSocket *socket = listener->nextPendingConnection()) {
            const QString peer = QStringLiteral("%1:%2")
                                     .arg(socket->peerAddress().toString())
                                     .arg(socket->peerPort());
            printEvent(QStringLiteral("connection from ") + peer);
            auto *conversation = new DeviceConversation(
                device, [socket](const QByteArray &bytes) { socket->write(bytes); }, socket);
            QObject::connect(socket, &QTcpSocket::readyRead, conversation,
                             [socket, conversation] { conversation->receive(socket->readAll()); });
            // Pending replies are written before the connection closes.
            QObject::connect(conversation, &DeviceConversation::exchangeEnded, socket,
                             &QTcpSocket::disconnectFromHost);
            QObject::connect(socket, &QTcpSocket::disconnected, listener,
                             [socket, conversation, peer] {
                                 conversation->receive(socket->readAll());
                                 conversation->finish();
                                 printEvent(QStringLiteral("connection from %1 closed").arg(peer));
                                 socket->deleteLater();
                             });
        }
    });
    printLine(QStringLiteral("listening on ") + place);
    return server;
}

std::unique_ptr<QObject> openPseudoTerminal(SimulatedDevice &device, QString &error)
{
    const auto terminal = std::make_shared<PseudoTerminal>();
    if (!terminal->isValid()) {
        error = QStringLiteral("cannot open a pseudo-terminal: ") + terminal->errorString();
        return nullptr;
    }
    // The notifier and the conversation, its child, share the terminal, which closes after them.
    auto notifier =
        std::make_unique<QSocketNotifier>(terminal->masterDescriptor(), QSocketNotifier::Read);
    auto *conversation = new DeviceConversation(
        device,
        [terminal](const QByteArray &bytes) {
            if (!terminal->write(bytes))
                printEvent(QStringLiteral("reply not delivered: nobody reads the line"));
        },
        notifier.get());
    QObject::connect(notifier.get(), &QSocketNotifier::activated, conversation,
                     [terminal, conversation] {
                         const QByteArray bytes = terminal->readAvailable();
                         if (!bytes.isEmpty())
                             conversation->receive(bytes);
                     });
    printLine(QStringLiteral("serial port: ") + terminal->slaveName());
    return notifier;
}

std::unique_ptr<QObject> openSerialPort(SimulatedDevice &device, const QString &path, int baudRate,
                                        QString &error)
{
    auto port = std::make_unique<QSerialPort>();
    configureSerialPort(*port, path, baudRate);
    if (!port->open(QIODevice::ReadWrite)) {
        error = QStringLiteral("cannot open %1: %2").arg(path, port->errorString());
        return nullptr;
    }
    QSerialPort *line = port.get();
    auto *conversation = new DeviceConversation(
        device, [line](const QByteArray &bytes) { line->write(bytes); }, line);
    QObject::connect(line, &QSerialPort::readyRead, conversation,
                     [line, conversation] { conversation->receive(line->readAll()); });
    // Close once and stop.
    QObject::connect(line, &QSerialPort::errorOccurred, conversation,
                     [line, conversation](QSerialPort::SerialPortError failure) {
                         if (!line->isOpen() || !endsSerialLink(failure))
                             return;
                         const QString reason = line->errorString();
                         conversation->finish();
                         line->close();
                         printEvent(QStringLiteral("serial port lost: ") + reason);
                         QCoreApplication::exit(setUpFailure);
                     });
    printLine(QStringLiteral("serial port: ") + path);
    printEvent(QStringLiteral("%1 bit/s, 8N1").arg(baudRate));
    return port;
}
