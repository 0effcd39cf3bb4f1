#include "app/mainwindow.h"
#include "consoleidentity.h"

#include <QMetaMethod>
#include <QtTest>

class tst_WidgetTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void slotsAndTheirSignals();
};

// In the order that the window's header has always declared them; connectSlotsByName skips a
// misnamed slot without a word, and the control would do nothing.
void tst_WidgetTree::slotsAndTheirSignals()
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
    MainWindow window;
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList actual;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        QCOMPARE(meta.method(i).methodType(), QMetaMethod::Slot);
        const QString signature = QString::fromLatin1(meta.method(i).methodSignature());
        actual << signature;
        if (!signature.startsWith("on_") || signature.startsWith("onSocket"))
            continue;
        const int split = signature.lastIndexOf('_', signature.indexOf('('));
        const QObject *object = window.findChild<QObject *>(signature.mid(3, split - 3));
        QVERIFY2(object &&
                     object->metaObject()->indexOfSignal(signature.mid(split + 1).toLatin1()) >= 0,
                 qPrintable(signature));
    }
    QCOMPARE(actual.join(' '), expected);
}

QTEST_MAIN(tst_WidgetTree)
#include "tst_widgettree.moc"
