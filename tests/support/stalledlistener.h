#pragma once

#include <QHostAddress>
#include <QTcpSocket>

#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A device on loopback that never completes a handshake: it listens with no backlog and two
// connections it never accepts fill its queue, so that further attempts stay "connecting".
// Closing it turns a pending attempt into a refusal.
class StalledListener
{
public:
    // On 127.0.0.1 and a free port by default.
    explicit StalledListener(const QHostAddress &host = QHostAddress::LocalHost, quint16 port = 0)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(host.toIPv4Address());
        address.sin_port = htons(port);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::listen(m_fd, 0) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        for (auto &filler : m_fillers) {
            filler = std::make_unique<QTcpSocket>();
            filler->connectToHost(host, m_port);
            filler->waitForConnected(1000);
        }
    }
    ~StalledListener() { close(); }
    StalledListener(const StalledListener &) = delete;
    StalledListener &operator=(const StalledListener &) = delete;

    quint16 port() const { return m_port; }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    quint16 m_port = 0;
    std::unique_ptr<QTcpSocket> m_fillers[2];
};
