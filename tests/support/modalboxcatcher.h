#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Enough passes of the event loop for a failure that repeats itself (and its box) to show
// again: proof that something did not happen, without a fixed sleep.
inline void spinEventLoop()
{
    for (int pass = 0; pass < 200; ++pass)
        QCoreApplication::processEvents();
}

// Closes every message box as soon as it is shown, remembering what it said, so that no
// test ever waits on a modal box. Create it before the action that may show one.
class ModalBoxCatcher
{
public:
    ModalBoxCatcher()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++m_count;
            m_title = box->windowTitle();
            m_text = box->text();
            box->done(QMessageBox::Ok);
        });
        m_timer.start();
    }

    int count() const { return m_count; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }

private:
    QTimer m_timer;
    int m_count = 0;
    QString m_title;
    QString m_text;
};
