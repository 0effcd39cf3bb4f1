#include "modelselection/entrylist.h"

#include <QEvent>

void EntryList::setEntries(const QStringList &entries)
{
    if (entries == this->entries) {
        setCurrentIndex(entries.isEmpty() ? -1 : 0);
        return;
    }
    clear();
    addItems(entries);
    this->entries = entries;
}

QSize EntryList::sizeHint() const
{
    auto size = measured.constFind(entries);
    if (size == measured.constEnd())
        size = measured.insert(entries, QComboBox::sizeHint());
    return *size;
}

void EntryList::changeEvent(QEvent *event)
{
    // A size measured in another font or style is no longer the list's.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        measured.clear();
    QComboBox::changeEvent(event);
}
