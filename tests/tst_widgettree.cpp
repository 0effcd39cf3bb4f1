#include "app/mainwindow.h"
#include "consoleidentity.h"

#include <QAbstractButton>
#include <QMetaMethod>
#include <QtTest>

#include <memory>

class tst_WidgetTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { window.reset(); }
    void slotOrder();
    void autoConnectedSlotsHaveTheirSignal();
    void objectNamesUnique();
    void radioGroups_data();
    void radioGroups();

private:
    std::unique_ptr<MainWindow> window;
};

void tst_WidgetTree::initTestCase()
{
    setConsoleIdentity();
    window = std::make_unique<MainWindow>();
}

// The order that the window's header has always declared its slots in.
void tst_WidgetTree::slotOrder()
{
    const QString expected =
        "on_action_Exit_triggered() on_action_French_triggered() on_action_English_triggered() "
        "on_action_Default_triggered() on_action_Tessik_Home_Page_triggered() "
        "on_action_Contact_Technical_Support_triggered() on_action_About_triggered() "
        "on_comboBox_Player_activated(int) on_pushButton_Connect_clicked() "
        "on_pushButton_Disconnect_clicked() on_radioButton_Sent_Hex_clicked() "
        "on_radioButton_Sent_Dec_clicked() on_pushButton_Folder_clicked() "
        "on_pushButton_Change_ID_clicked() on_pushButton_Previous_Folder_clicked() "
        "on_pushButton_Previous_File_clicked() on_pushButton_Play_clicked() "
        "on_pushButton_Stop_clicked() on_pushButton_Pause_clicked() "
        "on_pushButton_Next_Folder_clicked() on_pushButton_Next_File_clicked() "
        "on_pushButton_Volume_Less_clicked() on_pushButton_Volume_More_clicked() "
        "on_horizontalSlider_Volume_valueChanged(int) on_pushButton_Request_clicked() "
        "update_Serial_Read_Data() on_pushButton_Clear_clicked() update_TCP_Read_Data() "
        "onSocketConnected() onSocketDisconnected() onSocketError(QAbstractSocket::SocketError) "
        "Play_Folder_000() Play_Folder_001() Play_Folder_002() Play_Folder_003() "
        "Play_Folder_004() Play_Folder_005() Play_Folder_006() Play_Folder_007() "
        "Play_Folder_008() Play_Folder_009() Increase_Volume() Decrease_Volume() "
        "on_pushButton_Standby_Wakeup_clicked() on_pushButton_Volume_Mute_Unmute_clicked() "
        "on_pushButton_Other_Command_clicked() on_pushButton_Relay_Command_clicked() "
        "on_comboBox_Source_Of_Playback_activated(int) on_pushButton_Launch_Playback_clicked()";
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList actual;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        actual << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(actual.join(' '), expected);
}

// connectSlotsByName skips a misnamed slot without a word: the control would do nothing.
void tst_WidgetTree::autoConnectedSlotsHaveTheirSignal()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    int checked = 0;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QString signature = QString::fromLatin1(meta.method(i).methodSignature());
        if (!signature.startsWith("on_") || signature.startsWith("onSocket"))
            continue;
        const int split = signature.lastIndexOf('_', signature.indexOf('('));
        const QString name = signature.mid(3, split - 3);
        const QObject *object = window->findChild<QObject *>(name);
        QVERIFY2(object, qPrintable(signature));
        const QByteArray signal = signature.mid(split + 1).toLatin1();
        QVERIFY2(object->metaObject()->indexOfSignal(signal) >= 0, qPrintable(signature));
        ++checked;
    }
    QCOMPARE(checked, 32);
}

void tst_WidgetTree::objectNamesUnique()
{
    QSet<QString> names;
    const auto objects = window->findChildren<QObject *>();
    for (const QObject *object : objects) {
        if (object->objectName().isEmpty() || object->objectName().startsWith("qt_"))
            continue;
        QVERIFY2(!names.contains(object->objectName()), qPrintable(object->objectName()));
        names.insert(object->objectName());
    }
    QVERIFY(names.size() > 150);
}

void tst_WidgetTree::radioGroups_data()
{
    QTest::addColumn<QStringList>("checkedInTurn");
    QTest::addColumn<QStringList>("checked");

    QTest::newRow("Sent Dec keeps Data ASCII")
        << QStringList{"radioButton_Sent_Dec"}
        << QStringList{"radioButton_Sent_Dec", "radioButton_Data_ASCII"};
    QTest::newRow("Data Hex keeps Sent Hex")
        << QStringList{"radioButton_Data_Hex"}
        << QStringList{"radioButton_Sent_Hex", "radioButton_Data_Hex"};
    QTest::newRow("Data Hex then Sent Dec then Sent Hex")
        << QStringList{"radioButton_Data_Hex", "radioButton_Sent_Dec", "radioButton_Sent_Hex"}
        << QStringList{"radioButton_Sent_Hex", "radioButton_Data_Hex"};
}

void tst_WidgetTree::radioGroups()
{
    QFETCH(QStringList, checkedInTurn);
    QFETCH(QStringList, checked);

    // The command area is disabled while no link is open: the buttons are checked, not clicked.
    const auto buttons =
        window->findChildren<QAbstractButton *>(QRegularExpression("^radioButton_(Sent|Data)_"));
    QCOMPARE(buttons.size(), 5);
    for (const char *start : {"radioButton_Sent_Hex", "radioButton_Data_ASCII"})
        window->findChild<QAbstractButton *>(start)->setChecked(true);
    for (const QString &name : qAsConst(checkedInTurn))
        window->findChild<QAbstractButton *>(name)->setChecked(true);
    QStringList actual;
    for (const QAbstractButton *button : buttons) {
        if (button->isChecked())
            actual << button->objectName();
    }
    actual.sort();
    checked.sort();
    QCOMPARE(actual, checked);
}

QTEST_MAIN(tst_WidgetTree)
#include "tst_widgettree.moc"
