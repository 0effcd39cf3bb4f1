#pragma once

#include <QComboBox>
#include <QHash>
#include <QSize>
#include <QStringList>

// A list that a model refills. Qt measures every entry of a list sized to its contents each time
// it is refilled, which for a thousand numbers takes about a millisecond: this list remembers
// the size measured for each set of entries it held, and gets it back when refilled with them.
// Its entries change through setEntries() only, and it starts empty.
class EntryList : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Fills the list with `entries`, its first entry chosen; a list that has them already keeps
    // them.
    void setEntries(const QStringList &entries);
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    QStringList entries;
    mutable QHash<QStringList, QSize> measured;
};
