#include "receive/receiveddisplay.h"
#include "connection/linksettings.h"
#include "receive/receivedview.h"
#include "ui_mainwindow.h"

#include <QAction>

ReceivedDisplay::ReceivedDisplay(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                                 std::function<QDateTime()> clock)
    : QObject(window)
    , m_ui(ui)
    , m_view(ui->textEdit_Data)
    , m_link(link)
    , m_clock(std::move(clock))
    , m_linkState(link->state())
{
    connect(m_link, &DeviceLink::stateChanged, this, &ReceivedDisplay::onLinkState);
    connect(m_link, &DeviceLink::failed, this, &ReceivedDisplay::onLinkFailed);
    connect(m_link, &DeviceLink::frameSent, this,
            [this](int, const QByteArray &bytes, const QString &name) {
                LinkEvent event = eventNow(LinkEvent::Kind::Sent, name);
                event.bytes = bytes;
                record(std::move(event));
            });
    connect(m_link, &DeviceLink::frameNotSent, this,
            [this](int, const QByteArray &bytes, const QString &name) {
                LinkEvent event = eventNow(LinkEvent::Kind::NotSent, name);
                event.bytes = bytes;
                record(std::move(event));
            });

    // The check box's own shortcut would be lost with each translation of its text.
    auto *toggle = new QAction(window);
    toggle->setShortcut(Qt::CTRL | Qt::Key_T);
    window->addAction(toggle);
    connect(toggle, &QAction::triggered, m_ui->checkBox_Timeline, &QCheckBox::click);
    connect(m_ui->checkBox_Timeline, &QCheckBox::toggled, this, [this](bool on) {
        m_timeline = on;
        renderAgain();
    });
    // Text already shown keeps its rendering in the plain view, not in the timeline.
    for (QRadioButton *mode :
         {m_ui->radioButton_Data_ASCII, m_ui->radioButton_Data_Hex, m_ui->radioButton_Data_Dec,
          m_ui->radioButton_Sent_Hex, m_ui->radioButton_Sent_Dec}) {
        connect(mode, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen && m_timeline)
                renderAgain();
        });
    }
    m_view->installEventFilter(this);
    m_timeline = m_ui->checkBox_Timeline->isChecked();
    renderAgain();
}

void ReceivedDisplay::showReceived(const QByteArray &chunk, ReceiveMode mode)
{
    const LinkEvent at = eventNow(LinkEvent::Kind::Received);
    m_history.receive(chunk, mode, at.msecs, at.utcOffsetSeconds);
    if (!m_timeline) {
        m_view->appendText(renderReceivedChunk(chunk, mode, m_plainDecoder));
        return;
    }
    QString text;
    m_timelineText.receive(text, chunk, at.msecs, at.msecs, at.utcOffsetSeconds);
    m_view->appendText(text);
}

void ReceivedDisplay::clear()
{
    m_history.clear();
    m_plainDecoder.reset();
    m_timelineText = TimelineText(styleShown());
}

bool ReceivedDisplay::eventFilter(QObject *watched, QEvent *event)
{
    // The timeline's words are in the window's language.
    if (event->type() == QEvent::LanguageChange && m_timeline)
        renderAgain();
    return QObject::eventFilter(watched, event);
}

void ReceivedDisplay::record(LinkEvent event)
{
    if (m_timeline) {
        QString text;
        m_timelineText.add(text, event);
        m_view->appendText(text);
    }
    m_history.add(std::move(event));
}

LinkEvent ReceivedDisplay::eventNow(LinkEvent::Kind kind, const QString &text) const
{
    const QDateTime now = m_clock();
    LinkEvent event;
    event.kind = kind;
    event.msecs = now.toMSecsSinceEpoch();
    event.lastMsecs = event.msecs;
    event.utcOffsetSeconds = now.offsetFromUtc();
    event.text = text;
    return event;
}

// A link waiting for its device fails at each try: the timeline tells the loss once.
void ReceivedDisplay::onLinkFailed(const QString &message)
{
    if (m_linkState == DeviceLink::State::Waiting)
        return;
    const QString reason = message.section(QLatin1Char('\n'), -1);
    record(eventNow(m_linkState == DeviceLink::State::Open ? LinkEvent::Kind::Lost
                                                           : LinkEvent::Kind::CouldNotConnect,
                    reason));
    m_failureTold = true;
}

void ReceivedDisplay::onLinkState(DeviceLink::State state)
{
    const DeviceLink::State before = std::exchange(m_linkState, state);
    if (state == DeviceLink::State::Connecting)
        return;
    const bool failureTold = std::exchange(m_failureTold, false);
    if (state == DeviceLink::State::Open) {
        // A character cut by the end of the last connection is not finished by this one.
        m_plainDecoder.reset();
        record(eventNow(before == DeviceLink::State::Waiting ? LinkEvent::Kind::Back
                                                             : LinkEvent::Kind::Connected,
                        linkPlace()));
    } else if (state == DeviceLink::State::Waiting) {
        record(eventNow(LinkEvent::Kind::Waiting));
    } else if (!failureTold) {
        record(eventNow(LinkEvent::Kind::Disconnected));
    }
}

QString ReceivedDisplay::linkPlace() const
{
    const LinkTarget &target = m_link->target();
    if (target.kind == LinkTarget::Kind::Serial)
        return tr("%1 at %2 bit/s").arg(serialDevicePath(target.port)).arg(target.baudRate);
    return tr("%1 port %2").arg(target.host).arg(target.tcpPort);
}

TimelineStyle ReceivedDisplay::styleShown() const
{
    TimelineStyle style;
    if (m_ui->radioButton_Data_Hex->isChecked())
        style.receiveMode = ReceiveMode::Hexadecimal;
    else if (m_ui->radioButton_Data_Dec->isChecked())
        style.receiveMode = ReceiveMode::Decimal;
    style.sentInDecimal = m_ui->radioButton_Sent_Dec->isChecked();
    return style;
}

void ReceivedDisplay::renderAgain()
{
    m_view->setOwnLineBreaks(m_timeline);
    if (!m_timeline) {
        m_view->setText(plainText(m_history, m_plainDecoder));
        return;
    }
    m_timelineText = TimelineText(styleShown());
    QString text;
    for (const LinkEvent &event : m_history.events())
        m_timelineText.add(text, event);
    m_view->setText(text);
}
