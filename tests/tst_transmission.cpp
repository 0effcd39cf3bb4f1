#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "testtable.h"
#include "transmission/clock.h"
#include "windowdriver.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

QString spaced(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

class tst_Transmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void frameOnTheWire_data();
    void frameOnTheWire();
    void baseSwitching();
    void onDemandConnections();
    void choosingAModelSendsNothing();
    void shortcuts_data();
    void shortcuts();
    void noLinkSendsNothing();
};

void tst_Transmission::initTestCase()
{
    setConsoleIdentity();
    setClockSource(fixedClock);
}

void tst_Transmission::cleanup()
{
    serialPort->close();
    tcpSocket->abort();
}

void tst_Transmission::frameOnTheWire_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("label");

    TestTable table(QStringLiteral("transmission/frames.txt"), 6);
    QVERIFY2(table.holds(46), table.problem());
    for (const QStringList &row : table.rows()) {
        QStringList settings = row.at(2).split(';', Qt::SkipEmptyParts);
        for (QString &setting : settings)
            setting = setting.trimmed();
        QVERIFY2(modelIndex(row.at(1)) >= 0, qPrintable(row.at(1)));
        QTest::newRow(qPrintable(row.at(0)))
            << modelIndex(row.at(1)) << settings << row.at(3) << row.at(4)
            << (row.at(5) == "same" ? row.at(4) : row.at(5));
    }
}

void tst_Transmission::frameOnTheWire()
{
    QFETCH(int, model);
    QFETCH(QStringList, settings);
    QFETCH(QString, action);
    QFETCH(QString, wire);
    QFETCH(QString, label);

    ModalBoxCatcher boxes;
    MainWindow window;
    if (settings.contains("relays=1")) {
        // No model of the catalogue has relays; give one a relay command to drive the sender.
        PlayerCatalogue[model].commands.append(
            PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0x00, 0x00}, {0x0F, 0x0F}));
    }
    LinkedDevice device(window, model);
    QVERIFY(PlayerCatalogue.at(model).isOnDemand() ||
            QTest::qWaitFor([&] { return device.linked(); }));

    for (const QString &setting : qAsConst(settings)) {
        const QString name = setting.section('=', 0, 0);
        if (auto *button = window.findChild<QAbstractButton *>(name))
            button->click();
        else if (name != "relays")
            QVERIFY2(chooseEntry(window, name, setting.section('=', 1)), qPrintable(setting));
    }

    if (action.startsWith("slot:"))
        QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(action.mid(5))));
    else if (action.startsWith("volume:"))
        window.findChild<QSlider *>("horizontalSlider_Volume")->setValue(action.mid(7).toInt());
    else
        clickButton(window, action);

    QCOMPARE(spaced(device.received(QByteArray::fromHex(wire.toLatin1()).size())), wire);
    QCOMPARE(window.findChild<QLabel *>("label_Bytes_Sended")->text(), label);
    if (action.startsWith("volume:"))
        QCOMPARE(window.findChild<QLabel *>("label_Volume_2")->text(), action.mid(7));
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::baseSwitching()
{
    MainWindow window;
    // The on-demand model keeps the command area usable without a link.
    chooseModel(window, modelIndex("Tunebox (NX) (TCP/IP)"));
    auto *label = window.findChild<QLabel *>("label_Bytes_Sended");
    auto *hexButton = window.findChild<QRadioButton *>("radioButton_Sent_Hex");
    auto *decimalButton = window.findChild<QRadioButton *>("radioButton_Sent_Dec");

    const struct
    {
        QString before;
        QString decimal;
        QString hexadecimal;
    } cases[] = {
        {"80 02 01", "128 2 1", "80 02 01"},
        {"20 FF FF FF", "32 255 255 255", "20 FF FF FF"},
        {"0", "0", "00"},
        {"", "0", "00"},
    };
    for (const auto &row : cases) {
        label->setText(row.before);
        decimalButton->click();
        QCOMPARE(label->text(), row.decimal);
        decimalButton->click(); // already decimal: unchanged
        QCOMPARE(label->text(), row.decimal);
        hexButton->click();
        QCOMPARE(label->text(), row.hexadecimal);
        hexButton->click();
        QCOMPARE(label->text(), row.hexadecimal);
    }
}

void tst_Transmission::onDemandConnections()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, modelIndex("Tunebox (NX) (TCP/IP)"));
    const QByteArray play =
        QByteArray::fromHex("04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00");
    auto *playButton = window.findChild<QPushButton *>("pushButton_Play");

    // No link open: the command opens the connection and the frame arrives once. From the
    // moment the connection starts, the settings are frozen as for any open link.
    auto *settings = window.findChild<QWidget *>("frame_Settings");
    QVERIFY(!tcpSocket->isOpen());
    QVERIFY(settings->isEnabled());
    playButton->click();
    QVERIFY(!settings->isEnabled());
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 1);

    // Still open: the frame goes over the same connection, once.
    device.server().clearReceived();
    QVERIFY(tcpSocket->isOpen());
    playButton->click();
    QCOMPARE(device.received(play.size()), play);
    QTest::qWait(50);
    QCOMPARE(device.server().received(), play);
    QCOMPARE(device.server().connections(), 1);

    // The device ends the exchange: silently back to the no-link state, then a new connection.
    device.server().closeConnection();
    QTRY_VERIFY(!tcpSocket->isOpen());
    QVERIFY(settings->isEnabled());
    device.server().clearReceived();
    playButton->click();
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 2);
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::choosingAModelSendsNothing()
{
    RecordingServer device;
    ModalBoxCatcher boxes;
    MainWindow window;
    for (PlayerModel &model : PlayerCatalogue) {
        if (model.isTcp())
            model.tcpPort = device.serverPort();
    }
    setAddress(window, {127, 0, 0, 1});
    auto *volume = window.findChild<QLabel *>("label_Volume_2");
    for (int round = 0; round < 2; ++round) {
        for (int model = 0; model < PlayerCatalogue.size(); ++model) {
            chooseModel(window, model);
            if (PlayerCatalogue.at(model).commandOfCategory(CommandCategory::Volume))
                QCOMPARE(volume->text(),
                         QString::number(
                             window.findChild<QSlider *>("horizontalSlider_Volume")->maximum()));
        }
    }
    QTest::qWait(100);
    QVERIFY(!tcpSocket->isOpen());
    QCOMPARE(device.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::shortcuts_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("hiddenPanel");
    QTest::addColumn<QString>("wire");

    TestTable table(QStringLiteral("transmission/shortcuts.txt"), 5);
    QVERIFY2(table.holds(26), table.problem());
    for (const QStringList &row : table.rows()) {
        const QKeySequence keys(row.at(2));
        // Read back as written: one key, and no name that Qt does not know.
        QVERIFY2(modelIndex(row.at(1)) >= 0 && keys.count() == 1 && keys.toString() == row.at(2),
                 qPrintable(row.join('|')));
        QTest::newRow(qPrintable(row.at(0)))
            << modelIndex(row.at(1)) << keys << (row.at(3) == "-" ? QString() : row.at(3))
            << (row.at(4) == "-" ? QString() : row.at(4));
    }
}

void tst_Transmission::shortcuts()
{
    QFETCH(int, model);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, hiddenPanel);
    QFETCH(QString, wire);

    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    LinkedDevice device(window, model);
    QTRY_VERIFY(device.linked());
    if (!hiddenPanel.isEmpty())
        window.findChild<QWidget *>(hiddenPanel)->hide();

    const int key = keys[0];
    // With an explicit (empty) text: media keys have no character to derive one from.
    QTest::sendKeyEvent(QTest::Click, &window, Qt::Key(key & ~Qt::KeyboardModifierMask), QString(),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    const QByteArray expected = QByteArray::fromHex(wire.toLatin1());
    // Nothing expected: a short look is enough to see that nothing came.
    QCOMPARE(spaced(device.received(qMax(1, expected.size()), expected.isEmpty() ? 200 : 3000)),
             wire);
}

void tst_Transmission::noLinkSendsNothing()
{
    MainWindow window;
    chooseModel(window, modelIndex("Showcaster - SC900 (Serial)"));
    auto *label = window.findChild<QLabel *>("label_Bytes_Sended");
    label->setText("80 02 01");
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_005"));
    QVERIFY(QMetaObject::invokeMethod(&window, "on_pushButton_Play_clicked"));
    QCOMPARE(label->text(), QString("80 02 01"));
    QVERIFY(!serialPort->isOpen());
    QVERIFY(!tcpSocket->isOpen());
}

QTEST_MAIN(tst_Transmission)
#include "tst_transmission.moc"
