#pragma once

#include <QObject>

class QWidget;

// A button draws itself released before it acts, and drawing waits until the display server
// has taken the window's last image: on a busy screen the frame would wait for the drawing.
// The buttons of the window given act first and are drawn as the event loop comes round again.
class ButtonsActFirst : public QObject
{
public:
    explicit ButtonsActFirst(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
