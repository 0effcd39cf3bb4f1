#include "receive/steadyscrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>

SteadyScrollBar::SteadyScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{}

void SteadyScrollBar::setRangeAndValue(int maximum, int pageStep, int value)
{
    m_settingRange = true;
    setRange(0, maximum);
    setPageStep(pageStep);
    if (value >= 0)
        setValue(value);
    m_settingRange = false;
    if (!(look() == m_drawn))
        update();
}

void SteadyScrollBar::sliderChange(SliderChange change)
{
    if (!m_settingRange)
        QScrollBar::sliderChange(change);
}

void SteadyScrollBar::paintEvent(QPaintEvent *event)
{
    m_drawn = look();
    QScrollBar::paintEvent(event);
}

SteadyScrollBar::Look SteadyScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look look;
    look.handle =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    look.atMinimum = value() == minimum();
    look.atMaximum = value() == maximum();
    return look;
}
