#include "receive/receivedviewaccessible.h"
#include "receive/receivedview.h"

namespace {

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReceivedDataView") && object->isWidgetType())
        return new ReceivedDataAccessible(static_cast<ReceivedDataView *>(object));
    return nullptr;
}

} // namespace

ReceivedDataAccessible::ReceivedDataAccessible(ReceivedDataView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{}

void ReceivedDataAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(installed)
}

ReceivedDataView *ReceivedDataAccessible::view() const
{
    return static_cast<ReceivedDataView *>(widget());
}

void *ReceivedDataAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ReceivedDataAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString ReceivedDataAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return text(0, characterCount());
    return QAccessibleWidget::text(type);
}

void ReceivedDataAccessible::selection(int index, int *start, int *end) const
{
    const bool selected = index == 0 && view()->hasSelection();
    *start = selected ? view()->selectionStart() : 0;
    *end = selected ? view()->selectionEnd() : 0;
}

int ReceivedDataAccessible::selectionCount() const
{
    return view()->hasSelection() ? 1 : 0;
}

void ReceivedDataAccessible::addSelection(int start, int end)
{
    view()->setSelection(start, end);
}

void ReceivedDataAccessible::removeSelection(int index)
{
    if (index == 0)
        view()->setSelection(view()->cursorPosition(), view()->cursorPosition());
}

void ReceivedDataAccessible::setSelection(int index, int start, int end)
{
    if (index == 0)
        view()->setSelection(start, end);
}

int ReceivedDataAccessible::cursorPosition() const
{
    return view()->cursorPosition();
}

void ReceivedDataAccessible::setCursorPosition(int position)
{
    view()->setSelection(position, position);
}

QString ReceivedDataAccessible::text(int start, int end) const
{
    return view()->shownText(start, end);
}

int ReceivedDataAccessible::characterCount() const
{
    return view()->text().size();
}

QRect ReceivedDataAccessible::characterRect(int offset) const
{
    const QRect inView = view()->characterRect(offset);
    return inView.isNull() ? inView : inView.translated(view()->mapToGlobal(QPoint(0, 0)));
}

int ReceivedDataAccessible::offsetAtPoint(const QPoint &point) const
{
    return view()->positionAtPoint(view()->viewport()->mapFromGlobal(point));
}

void ReceivedDataAccessible::scrollToSubstring(int start, int)
{
    view()->scrollToPosition(start);
}

QString ReceivedDataAccessible::attributes(int offset, int *start, int *end) const
{
    *start = offset;
    *end = offset;
    return QString();
}
