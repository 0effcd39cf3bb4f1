#pragma once

#include <functional>

class QObject;
class QWidget;

// Runs `work` once `widget` has first been drawn, or as the event loop first turns when it is not
// shown by then: work that the window does not need in order to be seen stays off its way to the
// screen. Nothing runs once `context` is gone.
void afterFirstPaint(QWidget *widget, QObject *context, std::function<void()> work);
