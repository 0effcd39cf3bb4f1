#pragma once

#include <QRect>
#include <QScrollBar>

// A scroll bar whose owner sets its range and value together, and which is drawn again only if
// it then looks different. The range of a view that follows a streaming device grows at each
// of its refreshes, while on a long history the handle stays where it was, at its smallest, at
// the end: drawing the bar again each time cost as much as drawing the text.
class SteadyScrollBar : public QScrollBar
{
public:
    explicit SteadyScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // A negative value keeps the bar's own, within the new range.
    void setRangeAndValue(int maximum, int pageStep, int value);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What a change of the range or the value can change of the bar as it is drawn.
    struct Look
    {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;

        bool operator==(const Look &other) const
        {
            return handle == other.handle && atMinimum == other.atMinimum &&
                   atMaximum == other.atMaximum;
        }
    };

    Look look() const;

    Look m_drawn;
    bool m_settingRange = false;
};
