#include "simulator/deviceconversation.h"

#include "simulator/framedescription.h"
#include "simulator/simulateddevice.h"
#include "simulator/transcript.h"

namespace {

// A frame still unfinished after this long will not be finished: the line has gone quiet.
// It also lets a line without framing find its way back after garbage.
const int quietLineMs = 250;

} // namespace

DeviceConversation::DeviceConversation(SimulatedDevice &device, Sender send, QObject *parent)
    : QObject(parent)
    , m_device(device)
    , m_send(std::move(send))
    , m_decoder(device.model())
{
    m_quietLine.setSingleShot(true);
    m_quietLine.setInterval(quietLineMs);
    connect(&m_quietLine, &QTimer::timeout, this, [this] { handle(m_decoder.flush()); });
}

void DeviceConversation::receive(const QByteArray &bytes)
{
    handle(m_decoder.feed(bytes));
    if (m_decoder.hasPending())
        m_quietLine.start();
    else
        m_quietLine.stop();
}

void DeviceConversation::finish()
{
    m_quietLine.stop();
    handle(m_decoder.flush());
}

void DeviceConversation::handle(const QVector<DecodedFrame> &frames)
{
    bool exchanged = false;
    for (const DecodedFrame &frame : frames) {
        printLine(describeFrame(frame));
        const DeviceReaction reaction = m_device.react(frame);
        if (!reaction.note.isEmpty())
            printEvent(reaction.note);
        if (!reaction.reply.isEmpty()) {
            m_send(reaction.reply);
            printLine(QStringLiteral("<- ") + escapedText(reaction.reply));
        }
        exchanged = exchanged || frame.command.has_value();
    }
    if (exchanged && m_device.model().isOnDemand())
        emit exchangeEnded();
}
