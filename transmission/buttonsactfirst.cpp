#include "transmission/buttonsactfirst.h"

#include <QAbstractButton>
#include <QEvent>
#include <QTimer>

ButtonsActFirst::ButtonsActFirst(QWidget *window)
    : QObject(window)
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(this);
}

// A button that is down acts as the key or the mouse button comes up.
bool ButtonsActFirst::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyRelease && event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (button && button->isDown() && button->updatesEnabled()) {
        button->setUpdatesEnabled(false);
        QTimer::singleShot(0, button, [button] { button->setUpdatesEnabled(true); });
    }
    return false;
}
