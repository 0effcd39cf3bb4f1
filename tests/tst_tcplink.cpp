#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "windowdriver.h"

#include <sys/resource.h>

#include <QLabel>
#include <QTcpServer>

namespace {
const int showcasterNetwork = 3;
const int tuneboxNetwork = 7;
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

private:
    // Selects a network model that connects to `port` on loopback.
    static void choose(MainWindow &window, int model, quint16 port);
    static void verifyConnected(MainWindow &window, bool connected);
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
    QCOMPARE(window.findChild<QWidget *>("frame_Commands")->isEnabled(), connected);
    QVERIFY(window.findChild<QLabel *>("label_Connection_Message")->isHidden());
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
    // Pending: nothing in the connection or command area can be pressed.
    auto *message = window.findChild<QLabel *>("label_Connection_Message");
    QVERIFY(!message->isHidden());
    QCOMPARE(message->text(), QString("Connecting to the player... Please wait."));
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QVERIFY(!window.findChild<QWidget *>("frame_Commands")->isEnabled());

    QVERIFY(device.waitForNewConnection(3000));
    QTcpSocket *peer = device.nextPendingConnection();
    QCOMPARE(peer->peerAddress(), QHostAddress(QHostAddress::LocalHost));
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    verifyConnected(window, true);
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
    QCOMPARE(boxes.count(), 0);
}

void tst_TcpLink::refusedConnectionIsReported()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();

    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, showcasterNetwork, closedPort);
    clickButton(window, "pushButton_Connect");

    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.title(), QString("TCP/IP error"));
    QCOMPARE(boxes.icon(), QMessageBox::Critical);
    QCOMPARE(boxes.text(), QString("An TCP/IP error has occurred!\nConnection refused"));
    QTRY_VERIFY(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled());
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
    QTest::qWait(50);
    QCOMPARE(boxes.count(), boxesShown);
    if (boxesShown)
        QVERIFY(boxes.text().startsWith("An TCP/IP error has occurred!\n"));
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("frame_Commands")->isEnabled(), model == tuneboxNetwork);
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

QTEST_MAIN(tst_TcpLink)
#include "tst_tcplink.moc"
