#include "app/mainwindow.h"
#include "connection/linksettings.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "stalledlistener.h"
#include "windowdriver.h"

#include <sys/resource.h>

#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTcpServer>

namespace {
const int showcasterNetwork = 3;
const int tuneboxNetwork = 7;

// A loopback port where nothing listens: connecting there is refused at once.
quint16 refusingPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

class tst_TcpLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void cleanup() { tcpSocket->abort(); }
    void connectShowsPendingStateThenConnects();
    void refusedConnectionIsReported();
    void connectionFailingAtOnceLeavesConnectUsable();
    void deviceClosing_data();
    void deviceClosing();
    void disconnectClosesTheSocket();
    void onDemandRefusedOncePerCommand();
    void framesQueuedWhileConnectingAreNotSent();
    void disconnectCancelsConnecting();
    void connectionThatNeverCompletesTimesOut();
    void lostConnectionComesBack_data();
    void lostConnectionComesBack();

private:
    static void choose(MainWindow &window, int model, quint16 port);
    static void verifyConnected(MainWindow &window, bool connected);
    static QString sendState(MainWindow &window);
};

void tst_TcpLink::choose(MainWindow &window, int model, quint16 port)
{
    pointAtLoopback(window, model, port);
    chooseModel(window, model);
}

void tst_TcpLink::verifyConnected(MainWindow &window, bool connected)
{
    QCOMPARE(window.findChild<QWidget *>("frame_Player")->isEnabled(), !connected);
    QCOMPARE(window.findChild<QWidget *>("frame_Settings")->isEnabled(), !connected);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled(), connected);
    QCOMPARE(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled(), connected);
    QVERIFY(window.findChild<QLabel *>("label_Connection_Message")->isHidden());
}

// What the window says of the last frame shown: nothing once it is out.
QString tst_TcpLink::sendState(MainWindow &window)
{
    auto *label = window.findChild<QLabel *>("label_Sent_State");
    return label->isHidden() ? QString() : label->text();
}

void tst_TcpLink::connectShowsPendingStateThenConnects()
{
    QTcpServer device;
    QVERIFY(device.listen(QHostAddress::LocalHost));
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, device.serverPort());
    QCOMPARE(window.findChild<QLabel *>("label_IP_Port")->text(),
             QStringLiteral("( Port number: %1 )").arg(device.serverPort()));

    clickButton(window, "pushButton_Connect");
    // Pending: only Disconnect, which cancels, can be pressed.
    auto *message = window.findChild<QLabel *>("label_Connection_Message");
    QVERIFY(!message->isHidden());
    QCOMPARE(message->text(), QString("Connecting to the player... Please wait."));
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QVERIFY(window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QVERIFY(!window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());

    QVERIFY(device.waitForNewConnection(3000));
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    verifyConnected(window, true);
    QCOMPARE(boxes.count(), 0);
}

void tst_TcpLink::refusedConnectionIsReported()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, refusingPort());
    clickButton(window, "pushButton_Connect");

    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.title(), QString("TCP/IP error"));
    QCOMPARE(boxes.icon(), QMessageBox::Critical);
    QCOMPARE(boxes.text(), QString("An TCP/IP error has occurred!\nConnection refused"));
    QVERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    verifyConnected(window, false);
    QVERIFY(!tcpSocket->isOpen());
}

// Some failures are reported from inside connectToHost, before it returns (here: no descriptor
// left for the socket); the window must not wait then for an answer that will never come.
void tst_TcpLink::connectionFailingAtOnceLeavesConnectUsable()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, 9);
    rlimit original{};
    getrlimit(RLIMIT_NOFILE, &original);
    rlimit none = original;
    none.rlim_cur = 0;
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &none), 0);
    window.findChild<QPushButton *>("pushButton_Connect")->click();
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &original), 0);

    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.text().startsWith("An TCP/IP error has occurred!\n"));
    QVERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    verifyConnected(window, false);
}

void tst_TcpLink::deviceClosing_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("boxesShown");

    QTest::newRow("ordinary model: reported") << showcasterNetwork << 1;
    QTest::newRow("on-demand model: normal end") << tuneboxNetwork << 0;
}

void tst_TcpLink::deviceClosing()
{
    QFETCH(int, model);
    QFETCH(int, boxesShown);

    QTcpServer device;
    QVERIFY(device.listen(QHostAddress::LocalHost));
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, model, device.serverPort());
    // The on-demand model has no usable Connect button; its slot connects all the same.
    QVERIFY(QMetaObject::invokeMethod(&window, "on_pushButton_Connect_clicked"));
    QVERIFY(device.waitForNewConnection(3000));
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);

    device.nextPendingConnection()->close();
    QTRY_VERIFY(!tcpSocket->isOpen());
    spinEventLoop();
    QCOMPARE(boxes.count(), boxesShown);
    if (boxesShown)
        QVERIFY(boxes.text().startsWith("An TCP/IP error has occurred!\n"));
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled(),
             model == tuneboxNetwork);
}

void tst_TcpLink::disconnectClosesTheSocket()
{
    QTcpServer device;
    QVERIFY(device.listen(QHostAddress::LocalHost));
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, device.serverPort());
    clickButton(window, "pushButton_Connect");
    QVERIFY(device.waitForNewConnection(3000));
    QTcpSocket *peer = device.nextPendingConnection();
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);

    clickButton(window, "pushButton_Disconnect");
    QVERIFY(!tcpSocket->isOpen());
    verifyConnected(window, false);
    QVERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(boxes.count(), 0);
}

// Each command of the on-demand model opens its own connection: refused, it is told once,
// shown as not sent, and the next command is tried (and told) again.
void tst_TcpLink::onDemandRefusedOncePerCommand()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, tuneboxNetwork, refusingPort());
    for (int command = 1; command <= 2; ++command) {
        clickButton(window, "pushButton_Play");
        QTRY_COMPARE(boxes.count(), command);
        spinEventLoop();
        QCOMPARE(boxes.count(), command);
        QCOMPARE(boxes.text(), QString("An TCP/IP error has occurred!\nConnection refused"));
        QVERIFY(!tcpSocket->isOpen());
        QCOMPARE(sendState(window), QString("Not sent"));
        QVERIFY(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());
    }
}

// Keys pressed while the connection is pending queue their frames on the socket; when it is
// refused the user hears of it once, and those frames are shown as never sent.
void tst_TcpLink::framesQueuedWhileConnectingAreNotSent()
{
    StalledListener device;
    QVERIFY(device.port());
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, device.port());
    clickButton(window, "pushButton_Connect");
    QCOMPARE(tcpSocket->state(), QAbstractSocket::ConnectingState);
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_003"));
    QVERIFY(QMetaObject::invokeMethod(&window, "Increase_Volume"));
    QCOMPARE(sendState(window), QString("Waiting for the connection..."));

    device.close();
    QTRY_COMPARE(boxes.count(), 1);
    spinEventLoop();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(sendState(window), QString("Not sent"));
    verifyConnected(window, false);
    QVERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
}

void tst_TcpLink::disconnectCancelsConnecting()
{
    StalledListener device;
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, device.port());
    clickButton(window, "pushButton_Connect");
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_003"));
    QSignalSpy errors(tcpSocket, &QTcpSocket::errorOccurred);

    clickButton(window, "pushButton_Disconnect");
    QCOMPARE(tcpSocket->state(), QAbstractSocket::UnconnectedState);
    verifyConnected(window, false);
    QVERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QCOMPARE(sendState(window), QString("Not sent"));
    // Nothing of the cancelled attempt comes back, even once its listener goes.
    device.close();
    spinEventLoop();
    QCOMPARE(errors.count(), 0);
    QCOMPARE(boxes.count(), 0);
}

void tst_TcpLink::connectionThatNeverCompletesTimesOut()
{
    StalledListener device;
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, device.port());
    clickButton(window, "pushButton_Connect");
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, connectTimeoutMs + 5000);
    QCOMPARE(boxes.text(),
             QString("An TCP/IP error has occurred!\nThe player did not answer within 5 seconds."));
    QCOMPARE(tcpSocket->state(), QAbstractSocket::UnconnectedState);
    verifyConnected(window, false);
}

// With Auto-connection, a device that ends the connection is connected to again as soon as it
// accepts, tried quietly meanwhile; bytes flow again both ways.
void tst_TcpLink::lostConnectionComesBack_data()
{
    QTest::addColumn<bool>("restarts");

    QTest::newRow("connection closed") << false;
    QTest::newRow("device restarting: refused a while") << true;
}

void tst_TcpLink::lostConnectionComesBack()
{
    QFETCH(bool, restarts);

    RecordingServer device;
    const quint16 port = device.serverPort();
    ModalBoxCatcher boxes;
    MainWindow window;
    window.findChild<QCheckBox *>("checkBox_Auto_connection")->setChecked(true);
    choose(window, showcasterNetwork, port);
    clickButton(window, "pushButton_Connect");
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);

    QSignalSpy failures(tcpSocket, &QTcpSocket::errorOccurred);
    if (restarts)
        device.close();
    device.closeConnection();
    QTRY_VERIFY(!window.statusBar()->currentMessage().isEmpty());
    QCOMPARE(window.statusBar()->currentMessage(),
             QString("The link to the player was lost: waiting for it to come back (Disconnect "
                     "stops waiting)."));
    QVERIFY(window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QVERIFY(!window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());
    if (restarts) {
        QTRY_VERIFY(failures.count() >= 2);
        QVERIFY(device.listen(QHostAddress::LocalHost, port));
    }

    QTRY_COMPARE(device.connections(), 2);
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    verifyConnected(window, true);
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    clickButton(window, "pushButton_Play");
    QTRY_VERIFY(!device.received().isEmpty());
    device.peer()->write("PLAYING\r\n");
    QTRY_VERIFY(window.findChild<ReceivedDataView *>("textEdit_Data")->text().contains("PLAYING"));
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_TcpLink)
#include "tst_tcplink.moc"
