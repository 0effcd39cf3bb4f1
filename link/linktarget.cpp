#include "link/linktarget.h"
#include "connection/linksettings.h"

bool LinkTarget::operator==(const LinkTarget &other) const
{
    return kind == other.kind && port == other.port && baudRate == other.baudRate &&
           host == other.host && tcpPort == other.tcpPort && perFrame == other.perFrame &&
           closeIsNormalEnd == other.closeIsNormalEnd;
}

LinkTarget linkTarget(const PlayerModel &model, const QString &port, int baudEntry,
                      const QString &host)
{
    LinkTarget target;
    if (model.isTcp()) {
        target.kind = LinkTarget::Kind::Tcp;
        target.host = host;
        target.tcpPort = model.tcpPort;
        target.perFrame = model.isOnDemand();
        // The unaddressed family's devices close the connection once they have answered.
        target.closeIsNormalEnd = model.protocol == 1;
        return target;
    }
    target.port = port;
    if (baudEntry >= 0 && baudEntry < model.baudRates.size())
        target.baudRate = acceptedBaudRate(model.baudRates.at(baudEntry));
    return target;
}
