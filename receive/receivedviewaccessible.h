#pragma once

#include <QAccessibleWidget>

class ReceivedDataView;

// What a screen reader reads of the received data: the text as the view shows it, its length,
// the selection and the cursor.
class ReceivedDataAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReceivedDataAccessible(ReceivedDataView *view);

    // Makes every received-data view answer with this interface.
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;

    void selection(int index, int *start, int *end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int start, int end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int *start, int *end) const override;

private:
    ReceivedDataView *view() const;
};
