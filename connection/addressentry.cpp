#include "connection/addressentry.h"
#include "connection/linksettings.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

AddressEntry::AddressEntry(const std::array<QSpinBox *, 4> &boxes, QObject *parent)
    : QObject(parent)
    , m_boxes(boxes)
{
    for (QSpinBox *box : m_boxes)
        box->installEventFilter(this);
}

bool AddressEntry::eventFilter(QObject *watched, QEvent *event)
{
    const int box = int(std::find(m_boxes.begin(), m_boxes.end(), watched) - m_boxes.begin());
    if (event->type() != QEvent::KeyPress || box >= 4)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Paste))
        return fillAll(QApplication::clipboard()->text());
    const QString text = key->text();
    if (text.contains(QLatin1Char('.')) && fillAll(text))
        return true;
    if (text == QLatin1String(".")) {
        moveTo(box + 1);
        return true;
    }
    // A fourth digit cannot belong to this box: it starts the next one.
    QSpinBox *spin = m_boxes[std::size_t(box)];
    const QLineEdit *edit = spin->findChild<QLineEdit *>();
    const bool full = spin->cleanText().size() >= 3 && edit && !edit->hasSelectedText() &&
                      edit->cursorPosition() == edit->text().size();
    if (text.size() == 1 && text.at(0).isDigit() && full && box < 3) {
        moveTo(box + 1);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), text);
        QCoreApplication::sendEvent(m_boxes[std::size_t(box + 1)], &copy);
        return true;
    }
    return false;
}

bool AddressEntry::fillAll(const QString &text)
{
    const auto address = dottedAddress(text);
    if (!address)
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        m_boxes[i]->setValue((*address)[i]);
    moveTo(3);
    return true;
}

void AddressEntry::moveTo(int box)
{
    if (box > 3)
        return;
    QSpinBox *next = m_boxes[std::size_t(box)];
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
}
