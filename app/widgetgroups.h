#pragma once

#include <QAction>
#include <QWidget>

#include <initializer_list>

inline void setAllChecked(std::initializer_list<QAction *> actions, bool checked)
{
    for (QAction *action : actions)
        action->setChecked(checked);
}

inline void setAllEnabled(std::initializer_list<QWidget *> widgets, bool enabled)
{
    for (QWidget *widget : widgets)
        widget->setEnabled(enabled);
}
