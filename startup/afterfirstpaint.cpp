#include "startup/afterfirstpaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget *widget, QObject *context, std::function<void()> work)
        : QObject(context)
        , m_widget(widget)
        , m_work(std::move(work))
    {
        widget->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (!m_widget || !m_widget->isVisible())
                runOnce();
        });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // After the paint event, once the window has taken the image.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &FirstPaintWatcher::runOnce);
        return false;
    }

private:
    void runOnce()
    {
        if (!m_work)
            return;
        const std::function<void()> work = std::exchange(m_work, {});
        deleteLater();
        work();
    }

    QPointer<QWidget> m_widget;
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget *widget, QObject *context, std::function<void()> work)
{
    new FirstPaintWatcher(widget, context, std::move(work));
}
