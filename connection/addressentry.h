#pragma once

#include <QObject>

#include <array>

class QSpinBox;

// The four boxes of an IPv4 address, typed as people type addresses: "." or a fourth digit
// goes on to the next box, and a dotted address typed or pasted into any box fills all four.
class AddressEntry : public QObject
{
    Q_OBJECT

public:
    AddressEntry(const std::array<QSpinBox *, 4> &boxes, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool fillAll(const QString &text);
    void moveTo(int box);

    std::array<QSpinBox *, 4> m_boxes;
};
