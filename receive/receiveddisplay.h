#pragma once

#include "link/devicelink.h"
#include "timeline/linkhistory.h"
#include "timeline/timelinetext.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class ReceivedDataView;
namespace Ui {
class MainWindow;
}

// What Data Received shows of the window's link: the received bytes as they come, or with the
// timeline on, everything the link did in order and when. It keeps what the link did since the
// last Clear, so that switching the timeline, the receive mode or the sent bytes' base renders
// the same events again.
class ReceivedDisplay : public QObject
{
    Q_OBJECT

public:
    // The window's form and link outlive this object; `clock` tells when each event happens.
    ReceivedDisplay(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                    std::function<QDateTime()> clock);

    void showReceived(const QByteArray &chunk, ReceiveMode mode);
    // The view is empty already: the history and the unfinished characters go too.
    void clear();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void record(LinkEvent event);
    LinkEvent eventNow(LinkEvent::Kind kind, const QString &text = QString()) const;
    void onLinkState(DeviceLink::State state);
    void onLinkFailed(const QString &message);
    QString linkPlace() const;
    TimelineStyle styleShown() const;
    void renderAgain();

    Ui::MainWindow *m_ui;
    ReceivedDataView *m_view;
    DeviceLink *m_link;
    std::function<QDateTime()> m_clock;

    LinkHistory m_history;
    bool m_timeline = false;
    TimelineText m_timelineText{TimelineStyle()};
    // The unfinished UTF-8 sequence of the plain view, carried from one read to the next.
    ReceiveDecoderState m_plainDecoder;
    DeviceLink::State m_linkState = DeviceLink::State::Closed;
    // The failure has been told: the close that follows it is no news.
    bool m_failureTold = false;
};
