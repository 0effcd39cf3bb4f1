#pragma once

#include "app/mainwindow.h"
#include "link/devicelink.h"
#include "recordingserver.h"
#include "simulator/pseudoterminal.h"
#include "transmission/frames.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QtTest>

// The window driven as its user drives it, for the window tests.

// The instant that the window tests give the clock: 2027-01-15 08:00:00 UTC, read where the
// clock is one hour ahead of UTC.
inline ClockReading fixedClock()
{
    const QDateTime utc(QDate(2027, 1, 15), QTime(8, 0), Qt::UTC);
    return {utc.toOffsetFromUtc(3600), utc, utc.toMSecsSinceEpoch()};
}

// What the window tests hand the window: the fixed clock, and every TCP/IP model listening on
// `tcpPort` of the loopback address when one is given (devices listen on fixed ports; a test's
// server takes whatever port is free).
inline ConsoleEnvironment testEnvironment(quint16 tcpPort = 0)
{
    ConsoleEnvironment environment = systemEnvironment();
    environment.clock = fixedClock;
    for (PlayerModel &model : environment.catalogue) {
        if (model.isTcp() && tcpPort)
            model.tcpPort = tcpPort;
    }
    return environment;
}

// The key and modifiers of a shortcut's first key.
inline std::pair<Qt::Key, Qt::KeyboardModifiers> firstKey(const QKeySequence &sequence)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const int key = sequence[0].toCombined();
#else
    const int key = sequence[0];
#endif
    return {Qt::Key(key & ~Qt::KeyboardModifierMask),
            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask)};
}

inline DeviceLink &linkOf(QWidget &window)
{
    return *window.findChild<DeviceLink *>();
}

// The window's slot runs on comboBox_Player's activated signal, which only the user raises.
inline void chooseModel(QWidget &window, int model)
{
    auto *players = window.findChild<QComboBox *>(QStringLiteral("comboBox_Player"));
    players->setCurrentIndex(model);
    emit players->activated(model);
}

// The catalogue's index of a model, -1 for a name it does not have.
inline int modelIndex(const QString &name)
{
    const PlayerCatalogueList models = buildCatalogueModels();
    for (int index = 0; index < models.size(); ++index) {
        if (models.at(index).name == name)
            return index;
    }
    return -1;
}

// Chooses an entry by its text and tells the window, as a click in the list does; false when
// the list has no such entry.
inline bool chooseEntry(QWidget &window, const QString &list, const QString &text)
{
    auto *box = window.findChild<QComboBox *>(list);
    if (!box || box->findText(text) < 0)
        return false;
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
    return true;
}

inline QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Pseudo-terminals are not in the system's port list: the user types the path in, over
// whatever the field held.
inline void choosePort(QWidget &window, const QString &port)
{
    QLineEdit *field = window.findChild<QComboBox *>(QStringLiteral("comboBox_Port"))->lineEdit();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, port);
}

inline void setAddress(QWidget &window, const QList<int> &bytes)
{
    for (int i = 0; i < 4; ++i)
        window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(i + 1))
            ->setValue(bytes.value(i));
}

// What a screen reader reads of a control: its accessible name.
inline QString spokenName(QWidget &window, const char *name)
{
    return QAccessible::queryAccessibleInterface(window.findChild<QWidget *>(name))
        ->text(QAccessible::Name);
}

inline void clickButton(QWidget &window, const QString &name)
{
    window.findChild<QAbstractButton *>(name)->click();
}

// A window and the device at the other end of whichever link the model uses: the model is
// chosen and linked as a user would, but for the on-demand model, whose commands open their own
// connection. `adjust` changes the window's environment before the window is made.
class LinkedDevice
{
public:
    explicit LinkedDevice(int model,
                          const std::function<void(ConsoleEnvironment &)> &adjust = nullptr)
    {
        ConsoleEnvironment environment = testEnvironment(m_server.serverPort());
        if (adjust)
            adjust(environment);
        const PlayerModel entry = environment.catalogue.at(model);
        m_serial = !entry.isTcp();
        m_window = std::make_unique<MainWindow>(std::move(environment));
        if (!m_serial)
            setAddress(*m_window, {127, 0, 0, 1});
        chooseModel(*m_window, model);
        if (m_serial)
            choosePort(*m_window, m_terminal.slaveName());
        if (!entry.isOnDemand())
            clickButton(*m_window, QStringLiteral("pushButton_Connect"));
    }

    MainWindow &window() { return *m_window; }
    bool linked() { return linkOf(*m_window).state() == DeviceLink::State::Open; }

    // Everything the device received, once `count` bytes are there (or the wait ends).
    QByteArray received(int count, int timeoutMs = 3000)
    {
        if (m_serial)
            return m_terminal.read(count, timeoutMs);
        (void)QTest::qWaitFor([&] { return m_server.received().size() >= count; }, timeoutMs);
        return m_server.received();
    }

    PseudoTerminal &terminal() { return m_terminal; }
    RecordingServer &server() { return m_server; }

private:
    PseudoTerminal m_terminal;
    RecordingServer m_server;
    bool m_serial = false;
    std::unique_ptr<MainWindow> m_window;
};
