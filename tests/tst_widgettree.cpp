#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QFormLayout>
#include <QFrame>
#include <QKeySequence>
#include <QMenu>
#include <QMetaMethod>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// Rows without a text are objects that have none, or whose text the window rewrites once the
// form is built.
void addObject(const char *name, const char *className, const char *parent,
               const char *text = nullptr)
{
    QTest::newRow(name) << QString(className) << QString(parent)
                        << (text ? QVariant(QString::fromUtf8(text)) : QVariant());
}

QString textOf(const QObject *object)
{
    if (auto *menu = qobject_cast<const QMenu *>(object))
        return menu->title();
    return object->property("text").toString();
}

QString itemName(QLayoutItem *item)
{
    if (item->widget())
        return item->widget()->objectName();
    if (item->layout())
        return item->layout()->objectName();
    return item->expandingDirections() == Qt::Horizontal ? QStringLiteral("hspacer")
                                                         : QStringLiteral("vspacer");
}

// What a layout, menu or menu bar holds, in order; nonzero box stretches are appended as "*N".
QStringList contentsOf(QObject *object)
{
    QStringList names;
    if (auto *form = qobject_cast<QFormLayout *>(object)) {
        for (int row = 0; row < form->rowCount(); ++row) {
            for (auto role : {QFormLayout::LabelRole, QFormLayout::FieldRole})
                names << itemName(form->itemAt(row, role));
        }
    } else if (auto *box = qobject_cast<QBoxLayout *>(object)) {
        for (int i = 0; i < box->count(); ++i) {
            const int stretch = box->stretch(i);
            names << itemName(box->itemAt(i)) +
                         (stretch ? QStringLiteral("*%1").arg(stretch) : QString());
        }
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        const auto actions = widget->actions();
        for (const QAction *action : actions) {
            names << (action->isSeparator() ? QStringLiteral("separator")
                      : action->menu()      ? action->menu()->objectName()
                                            : action->objectName());
        }
    }
    return names;
}

const char *const radioButtons[] = {"radioButton_Sent_Hex", "radioButton_Sent_Dec",
                                    "radioButton_Data_ASCII", "radioButton_Data_Hex",
                                    "radioButton_Data_Dec"};

} // namespace

class tst_WidgetTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void objects_data();
    void objects();
    void contents_data();
    void contents();
    void properties_data();
    void properties();
    void slotOrder_data();
    void slotOrder();
    void slotCount();
    void radioGroups_data();
    void radioGroups();

private:
    QObject *find(const QString &name) const;

    std::unique_ptr<MainWindow> window;
};

void tst_WidgetTree::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zoxen Console"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.7.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brevane Systems / Tessik"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("https://www.tessik.example"));
    QStandardPaths::setTestModeEnabled(true);
    // Other window tests leave a configuration behind; a saved TCP/IP model would rewrite
    // label_IP_Port.
    QFile::remove(QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                      .absoluteFilePath(QStringLiteral("Zoxen Console.cfg")));
    window = std::make_unique<MainWindow>();
}

void tst_WidgetTree::cleanupTestCase()
{
    window.reset();
}

QObject *tst_WidgetTree::find(const QString &name) const
{
    if (window->objectName() == name)
        return window.get();
    return window->findChild<QObject *>(name);
}

void tst_WidgetTree::objects_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QVariant>("text");

    addObject("centralWidget", "QWidget", "MainWindow");
    addObject("horizontalLayout", "QHBoxLayout", "centralWidget");
    addObject("verticalLayout_Settings", "QVBoxLayout", "horizontalLayout");
    addObject("frame_Settings", "QFrame", "centralWidget");
    addObject("verticalLayout_14", "QVBoxLayout", "frame_Settings");
    addObject("frame_Player", "QFrame", "frame_Settings");
    addObject("verticalLayout_10", "QVBoxLayout", "frame_Player");
    addObject("label_Player", "QLabel", "frame_Player", "Player:");
    addObject("comboBox_Player", "QComboBox", "frame_Player");
    addObject("frame_Port", "QFrame", "frame_Settings");
    addObject("verticalLayout_11", "QVBoxLayout", "frame_Port");
    addObject("label_Port", "QLabel", "frame_Port", "Serial port:");
    addObject("comboBox_Port", "QComboBox", "frame_Port");
    addObject("frame_Baudrate", "QFrame", "frame_Settings");
    addObject("verticalLayout_12", "QVBoxLayout", "frame_Baudrate");
    addObject("label_Baudrate", "QLabel", "frame_Baudrate", "Baudrate:");
    addObject("comboBox_Baudrate", "QComboBox", "frame_Baudrate");
    addObject("frame_IP", "QFrame", "frame_Settings");
    addObject("verticalLayout_13", "QVBoxLayout", "frame_IP");
    addObject("label_IP", "QLabel", "frame_IP", "IP address of the player:");
    addObject("frame_IP_2", "QFrame", "frame_IP");
    addObject("verticalLayout_3", "QVBoxLayout", "frame_IP_2");
    addObject("horizontalLayout_IP", "QHBoxLayout", "verticalLayout_3");
    addObject("spinBox_IP_1", "QSpinBox", "frame_IP_2");
    addObject("label_IP_Separateur_1", "QLabel", "frame_IP_2", ".");
    addObject("spinBox_IP_2", "QSpinBox", "frame_IP_2");
    addObject("label_IP_Separateur_2", "QLabel", "frame_IP_2", ".");
    addObject("spinBox_IP_3", "QSpinBox", "frame_IP_2");
    addObject("label_IP_Separateur_3", "QLabel", "frame_IP_2", ".");
    addObject("spinBox_IP_4", "QSpinBox", "frame_IP_2");
    addObject("label_IP_Port", "QLabel", "frame_IP", "( Port number: ...)");
    addObject("checkBox_Auto_connection", "QCheckBox", "frame_Settings", "Auto-connection");
    addObject("pushButton_Connect", "QPushButton", "centralWidget", "Connect");
    addObject("pushButton_Disconnect", "QPushButton", "centralWidget", "Disconnect");
    addObject("label_Connection_Message", "QLabel", "centralWidget",
              "Connecting to the player... Please wait.");
    addObject("frame_Commands", "QFrame", "centralWidget");
    addObject("verticalLayout_2", "QVBoxLayout", "frame_Commands");
    addObject("horizontalLayout_ID_and_Folder", "QHBoxLayout", "verticalLayout_2");
    addObject("frame_ID", "QFrame", "frame_Commands");
    addObject("verticalLayout", "QVBoxLayout", "frame_ID");
    addObject("label_ID", "QLabel", "frame_ID", "Player ID:");
    addObject("comboBox_ID", "QComboBox", "frame_ID");
    addObject("line_after_ID", "QFrame", "frame_Commands");
    addObject("frame_Change_ID", "QFrame", "frame_Commands");
    addObject("verticalLayout_15", "QVBoxLayout", "frame_Change_ID");
    addObject("label_Change_ID", "QLabel", "frame_Change_ID", "Change ID:");
    addObject("horizontalLayout_Request_3", "QHBoxLayout", "verticalLayout_15");
    addObject("comboBox_Change_ID", "QComboBox", "frame_Change_ID");
    addObject("pushButton_Change_ID", "QPushButton", "frame_Change_ID", "");
    addObject("line_after_Change_ID", "QFrame", "frame_Commands");
    addObject("frame_Folder", "QFrame", "frame_Commands");
    addObject("verticalLayout_4", "QVBoxLayout", "frame_Folder");
    addObject("label_Folder", "QLabel", "frame_Folder", "Folder N°:");
    addObject("horizontalLayout_Folder", "QHBoxLayout", "verticalLayout_4");
    addObject("comboBox_Folder", "QComboBox", "frame_Folder");
    addObject("pushButton_Folder", "QPushButton", "frame_Folder", "");
    addObject("line_after_Change_Before_Standby", "QFrame", "frame_Commands");
    addObject("frame_Standby_Wakeup", "QFrame", "frame_Commands");
    addObject("verticalLayout_16", "QVBoxLayout", "frame_Standby_Wakeup");
    addObject("label_Standby_Wakeup", "QLabel", "frame_Standby_Wakeup", "");
    addObject("pushButton_Standby_Wakeup", "QPushButton", "frame_Standby_Wakeup", "");
    addObject("line_ID_and_Folder", "QFrame", "frame_Commands");
    addObject("frame_Content_Playback", "QFrame", "frame_Commands");
    addObject("verticalLayout_24", "QVBoxLayout", "frame_Content_Playback");
    addObject("label_Content_Playback", "QLabel", "frame_Content_Playback", "Content playback:");
    addObject("horizontalLayout_Content_Playback", "QHBoxLayout", "verticalLayout_24");
    addObject("frame_Source_Of_Playback", "QFrame", "frame_Content_Playback");
    addObject("verticalLayout_19", "QVBoxLayout", "frame_Source_Of_Playback");
    addObject("label_Source_Of_Playback", "QLabel", "frame_Source_Of_Playback", "Source:");
    addObject("comboBox_Source_Of_Playback", "QComboBox", "frame_Source_Of_Playback");
    addObject("frame_Ref_Of_Playback", "QFrame", "frame_Content_Playback");
    addObject("verticalLayout_20", "QVBoxLayout", "frame_Ref_Of_Playback");
    addObject("label_Ref_Of_Playback", "QLabel", "frame_Ref_Of_Playback", "Folder N°:");
    addObject("comboBox_Ref_Of_Playback", "QComboBox", "frame_Ref_Of_Playback");
    addObject("frame_Option_Of_Playback", "QFrame", "frame_Content_Playback");
    addObject("verticalLayout_22", "QVBoxLayout", "frame_Option_Of_Playback");
    addObject("label_Option_Of_Playback", "QLabel", "frame_Option_Of_Playback", "Option:");
    addObject("comboBox_Option_Of_Playback", "QComboBox", "frame_Option_Of_Playback");
    addObject("frame_Webradio_Ref_Of_Playback", "QFrame", "frame_Content_Playback");
    addObject("verticalLayout_21", "QVBoxLayout", "frame_Webradio_Ref_Of_Playback");
    addObject("label_Webradio_Ref_Of_Playback", "QLabel", "frame_Webradio_Ref_Of_Playback",
              "Preset N°:");
    addObject("comboBox_Webradio_Ref_Of_Playback", "QComboBox", "frame_Webradio_Ref_Of_Playback");
    addObject("frame_Launch_Playback", "QFrame", "frame_Content_Playback");
    addObject("verticalLayout_23", "QVBoxLayout", "frame_Launch_Playback");
    addObject("label_Launch_Playback", "QLabel", "frame_Launch_Playback", "");
    addObject("pushButton_Launch_Playback", "QPushButton", "frame_Launch_Playback", "");
    addObject("line_Content_Playback", "QFrame", "frame_Commands");
    addObject("frame_Playback_Command", "QFrame", "frame_Commands");
    addObject("verticalLayout_5", "QVBoxLayout", "frame_Playback_Command");
    addObject("label_Playback_Command", "QLabel", "frame_Playback_Command", "Playback command:");
    addObject("horizontalLayout_Playback_Command", "QHBoxLayout", "verticalLayout_5");
    for (const char *button :
         {"pushButton_Previous_Folder", "pushButton_Previous_File", "pushButton_Play",
          "pushButton_Stop", "pushButton_Pause", "pushButton_Next_File", "pushButton_Next_Folder"})
        addObject(button, "QPushButton", "frame_Playback_Command", "");
    addObject("frame_Other_Command", "QFrame", "frame_Commands");
    addObject("verticalLayout_17", "QVBoxLayout", "frame_Other_Command");
    addObject("line_Playback_Command", "QFrame", "frame_Other_Command");
    addObject("label_Other_Command", "QLabel", "frame_Other_Command", "Other commands:");
    addObject("horizontalLayout_Other_Command", "QHBoxLayout", "verticalLayout_17");
    addObject("comboBox_Other_Command", "QComboBox", "frame_Other_Command");
    addObject("pushButton_Other_Command", "QPushButton", "frame_Other_Command", "");
    addObject("line_Other_Command", "QFrame", "frame_Commands");
    addObject("frame_Volume", "QFrame", "frame_Commands");
    addObject("verticalLayout_6", "QVBoxLayout", "frame_Volume");
    addObject("label_Volume", "QLabel", "frame_Volume", "Volume:");
    addObject("horizontalLayout_Volume", "QHBoxLayout", "verticalLayout_6");
    addObject("pushButton_Volume_Less", "QPushButton", "frame_Volume", "");
    addObject("horizontalSlider_Volume", "QSlider", "frame_Volume");
    addObject("pushButton_Volume_More", "QPushButton", "frame_Volume", "");
    addObject("label_Volume_2", "QLabel", "frame_Volume"); // shows the model's volume
    addObject("line_before_Mute_Unmute", "QFrame", "frame_Volume");
    addObject("pushButton_Volume_Mute_Unmute", "QPushButton", "frame_Volume", "");
    addObject("line_Volume", "QFrame", "frame_Commands");
    addObject("frame_Request", "QFrame", "frame_Commands");
    addObject("verticalLayout_7", "QVBoxLayout", "frame_Request");
    addObject("label_Request", "QLabel", "frame_Request", "Request:");
    addObject("horizontalLayout_Request_2", "QHBoxLayout", "verticalLayout_7");
    addObject("comboBox_Request", "QComboBox", "frame_Request");
    addObject("pushButton_Request", "QPushButton", "frame_Request", "");
    addObject("line_Request", "QFrame", "frame_Commands");
    addObject("frame_Relay_Command", "QFrame", "frame_Commands");
    addObject("verticalLayout_18", "QVBoxLayout", "frame_Relay_Command");
    addObject("label_Relay_Command", "QLabel", "frame_Relay_Command", "Output contacts:");
    addObject("horizontalLayout_Relay_Command", "QHBoxLayout", "verticalLayout_18");
    for (const char *relay : {"1", "2", "3", "4", "5", "6", "7", "8"}) {
        const QByteArray name = QByteArray("checkBox_Relay_") + relay;
        addObject(name.constData(), "QCheckBox", "frame_Relay_Command", relay);
    }
    addObject("pushButton_Relay_Command", "QPushButton", "frame_Relay_Command", "");
    addObject("line_Relay", "QFrame", "frame_Commands");
    addObject("frame_Sent", "QFrame", "frame_Commands");
    addObject("verticalLayout_8", "QVBoxLayout", "frame_Sent");
    addObject("label_Sent", "QLabel", "frame_Sent", "Command bytes sent:");
    addObject("formLayout", "QFormLayout", "verticalLayout_8");
    addObject("horizontalLayout_Sent_2", "QHBoxLayout", "formLayout");
    addObject("radioButton_Sent_Hex", "QRadioButton", "frame_Sent", "Hexadecimal");
    addObject("radioButton_Sent_Dec", "QRadioButton", "frame_Sent", "Decimal");
    addObject("label_Bytes_Sended", "QLabel", "frame_Sent"); // emptied by the default state
    addObject("line_Sended_Bytes", "QFrame", "frame_Commands");
    addObject("frame_Data", "QFrame", "frame_Commands");
    addObject("verticalLayout_9", "QVBoxLayout", "frame_Data");
    addObject("label_Data", "QLabel", "frame_Data", "Data Received:");
    // A view of its own over the received text, so that a long session never slows it down.
    addObject("textEdit_Data", "ReceivedDataView", "frame_Data");
    addObject("horizontalLayout_Data_2", "QHBoxLayout", "verticalLayout_9");
    addObject("pushButton_Clear", "QPushButton", "frame_Data", "Clear");
    addObject("radioButton_Data_ASCII", "QRadioButton", "frame_Data", "ASCII");
    addObject("radioButton_Data_Hex", "QRadioButton", "frame_Data", "Hexadecimal");
    addObject("radioButton_Data_Dec", "QRadioButton", "frame_Data", "Decimal");
    addObject("action_Default", "QAction", "MainWindow", "(default)");
    addObject("action_Exit", "QAction", "MainWindow", "&Exit");
    addObject("action_English", "QAction", "MainWindow", "English");
    addObject("action_French", "QAction", "MainWindow", "French");
    addObject("action_Tessik_Home_Page", "QAction", "MainWindow",
              "&Brevane Systems / Tessik home page");
    addObject("action_Contact_Technical_Support", "QAction", "MainWindow",
              "&Contact technical support");
    addObject("action_About", "QAction", "MainWindow"); // the language switch appends the name
    addObject("menuBar", "QMenuBar", "MainWindow");
    addObject("menu_File", "QMenu", "menuBar", "&File");
    addObject("menu_Languages", "QMenu", "menuBar", "&Languages");
    addObject("menu_Help", "QMenu", "menuBar", "&Help");
    addObject("statusBar", "QStatusBar", "MainWindow");
}

void tst_WidgetTree::objects()
{
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QVariant, text);
    const QString name = QString::fromLatin1(QTest::currentDataTag());

    QCOMPARE(window->findChildren<QObject *>(name).size(), 1);
    const QObject *object = find(name);
    QCOMPARE(QString(object->metaObject()->className()), className);
    QVERIFY(object->parent());
    QCOMPARE(object->parent()->objectName(), parent);
    if (text.isValid())
        QCOMPARE(textOf(object), text.toString());
}

void tst_WidgetTree::contents_data()
{
    QTest::addColumn<QString>("items");

    const auto add = [](const char *name, const char *items) {
        QTest::newRow(name) << items;
    };
    add("horizontalLayout", "verticalLayout_Settings frame_Commands");
    add("verticalLayout_Settings",
        "frame_Settings pushButton_Connect pushButton_Disconnect label_Connection_Message");
    add("verticalLayout_14", "frame_Player frame_Port frame_Baudrate frame_IP "
                             "checkBox_Auto_connection vspacer");
    add("verticalLayout_13", "label_IP frame_IP_2 label_IP_Port");
    add("verticalLayout_3", "horizontalLayout_IP");
    add("horizontalLayout_IP", "spinBox_IP_1 label_IP_Separateur_1 spinBox_IP_2 "
                               "label_IP_Separateur_2 spinBox_IP_3 label_IP_Separateur_3 "
                               "spinBox_IP_4");
    add("verticalLayout_2",
        "horizontalLayout_ID_and_Folder line_ID_and_Folder frame_Content_Playback "
        "line_Content_Playback frame_Playback_Command frame_Other_Command line_Other_Command "
        "frame_Volume line_Volume frame_Request line_Request frame_Relay_Command line_Relay "
        "frame_Sent line_Sended_Bytes frame_Data*1");
    add("horizontalLayout_ID_and_Folder",
        "frame_ID line_after_ID frame_Change_ID line_after_Change_ID frame_Folder hspacer "
        "line_after_Change_Before_Standby frame_Standby_Wakeup");
    add("verticalLayout_15", "label_Change_ID horizontalLayout_Request_3");
    add("horizontalLayout_Request_3", "comboBox_Change_ID pushButton_Change_ID");
    add("verticalLayout_16", "label_Standby_Wakeup pushButton_Standby_Wakeup");
    add("horizontalLayout_Content_Playback",
        "frame_Source_Of_Playback*1 frame_Ref_Of_Playback frame_Option_Of_Playback "
        "frame_Webradio_Ref_Of_Playback hspacer frame_Launch_Playback");
    add("horizontalLayout_Playback_Command",
        "pushButton_Previous_Folder pushButton_Previous_File pushButton_Play pushButton_Stop "
        "pushButton_Pause pushButton_Next_File pushButton_Next_Folder hspacer");
    add("verticalLayout_17", "line_Playback_Command label_Other_Command "
                             "horizontalLayout_Other_Command");
    add("horizontalLayout_Volume",
        "pushButton_Volume_Less horizontalSlider_Volume pushButton_Volume_More label_Volume_2 "
        "line_before_Mute_Unmute pushButton_Volume_Mute_Unmute");
    add("horizontalLayout_Relay_Command",
        "checkBox_Relay_1 checkBox_Relay_2 checkBox_Relay_3 checkBox_Relay_4 checkBox_Relay_5 "
        "checkBox_Relay_6 checkBox_Relay_7 checkBox_Relay_8 hspacer pushButton_Relay_Command");
    add("verticalLayout_8", "label_Sent formLayout");
    add("formLayout", "horizontalLayout_Sent_2 label_Bytes_Sended");
    add("verticalLayout_9", "label_Data textEdit_Data horizontalLayout_Data_2");
    add("horizontalLayout_Data_2", "pushButton_Clear radioButton_Data_ASCII radioButton_Data_Hex "
                                   "radioButton_Data_Dec hspacer");
    add("menuBar", "menu_File menu_Languages menu_Help");
    add("menu_File", "action_Exit");
    add("menu_Languages", "action_Default separator action_English action_French");
    add("menu_Help",
        "action_Tessik_Home_Page action_Contact_Technical_Support separator action_About");
}

void tst_WidgetTree::contents()
{
    QFETCH(QString, items);
    QObject *object = find(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(object);
    QCOMPARE(contentsOf(object).join(QLatin1Char(' ')), items);
}

void tst_WidgetTree::properties_data()
{
    QTest::addColumn<QVariant>("value");

    const auto add = [](const char *row, const QVariant &value) {
        QTest::newRow(row) << value;
    };
    add("MainWindow/objectName", QStringLiteral("MainWindow"));
    add("MainWindow/size", QSize(640, 689));
    add("horizontalLayout/spacing", 6);
    add("horizontalLayout/margin", 11);
    add("verticalLayout_Settings/spacing", 12);
    add("verticalLayout_Settings/margin", 6);
    add("verticalLayout_2/spacing", 6);
    add("verticalLayout_2/margin", 6);
    add("verticalLayout_10/spacing", 2);
    add("verticalLayout_10/margin", 0);
    add("horizontalLayout_IP/spacing", 0);
    add("frame_Commands/frameShape", QFrame::Box);
    add("frame_Commands/frameShadow", QFrame::Plain);
    add("frame_Data/frameShape", QFrame::StyledPanel);
    add("frame_Data/frameShadow", QFrame::Raised);
    add("frame_IP_2/frameShadow", QFrame::Plain);
    add("frame_IP_2/styleSheet", QStringLiteral("background-color: rgb(255, 255, 255);\n"
                                                "border-color: rgb(255, 170, 0);\n"));
    add("line_after_ID/frameShape", QFrame::VLine);
    add("line_Volume/frameShape", QFrame::HLine);
    add("line_Volume/frameShadow", QFrame::Plain);
    add("label_Player/alignment", int(Qt::AlignLeft | Qt::AlignTop));
    add("label_IP_Separateur_1/alignment", int(Qt::AlignHCenter | Qt::AlignBottom));
    add("label_Bytes_Sended/alignment", int(Qt::AlignCenter));
    add("label_Bytes_Sended/frameShape", QFrame::Box);
    add("label_IP_Port/enabled", false);
    add("spinBox_IP_4/maximum", 255);
    add("spinBox_IP_4/buttonSymbols", QAbstractSpinBox::NoButtons);
    add("comboBox_ID/maximumSize", QSize(64, QWIDGETSIZE_MAX));
    add("pushButton_Play/maximumSize", QSize(32, 22));
    add("pushButton_Volume_Less/maximumSize", QSize(48, 22));
    add("pushButton_Previous_Folder/autoDefault", false);
    add("action_Exit/shortcut", QKeySequence(QStringLiteral("Ctrl+Q")));
    add("action_Exit/checkable", false);
    add("action_French/checkable", true);
}

void tst_WidgetTree::properties()
{
    QFETCH(QVariant, value);
    const QStringList row = QString::fromLatin1(QTest::currentDataTag()).split(QLatin1Char('/'));
    const QObject *object = find(row.at(0));
    QVERIFY(object);
    QVariant actual = object->property(row.at(1).toLatin1().constData());
    QVERIFY(actual.isValid());
    // Enumerations are compared by value.
    if (actual.userType() != value.userType())
        QVERIFY(actual.convert(value.userType()));
    QCOMPARE(actual, value);
}

void tst_WidgetTree::slotOrder_data()
{
    QTest::addColumn<int>("index");

    const char *const signatures[] = {"on_action_Exit_triggered()",
                                      "on_action_French_triggered()",
                                      "on_action_English_triggered()",
                                      "on_action_Default_triggered()",
                                      "on_action_Tessik_Home_Page_triggered()",
                                      "on_action_Contact_Technical_Support_triggered()",
                                      "on_action_About_triggered()",
                                      "on_comboBox_Player_activated(int)",
                                      "on_pushButton_Connect_clicked()",
                                      "on_pushButton_Disconnect_clicked()",
                                      "on_radioButton_Sent_Hex_clicked()",
                                      "on_radioButton_Sent_Dec_clicked()",
                                      "on_pushButton_Folder_clicked()",
                                      "on_pushButton_Change_ID_clicked()",
                                      "on_pushButton_Previous_Folder_clicked()",
                                      "on_pushButton_Previous_File_clicked()",
                                      "on_pushButton_Play_clicked()",
                                      "on_pushButton_Stop_clicked()",
                                      "on_pushButton_Pause_clicked()",
                                      "on_pushButton_Next_Folder_clicked()",
                                      "on_pushButton_Next_File_clicked()",
                                      "on_pushButton_Volume_Less_clicked()",
                                      "on_pushButton_Volume_More_clicked()",
                                      "on_horizontalSlider_Volume_valueChanged(int)",
                                      "on_pushButton_Request_clicked()",
                                      "update_Serial_Read_Data()",
                                      "on_pushButton_Clear_clicked()",
                                      "update_TCP_Read_Data()",
                                      "onSocketConnected()",
                                      "onSocketDisconnected()",
                                      "onSocketError(QAbstractSocket::SocketError)",
                                      "Play_Folder_000()",
                                      "Play_Folder_001()",
                                      "Play_Folder_002()",
                                      "Play_Folder_003()",
                                      "Play_Folder_004()",
                                      "Play_Folder_005()",
                                      "Play_Folder_006()",
                                      "Play_Folder_007()",
                                      "Play_Folder_008()",
                                      "Play_Folder_009()",
                                      "Increase_Volume()",
                                      "Decrease_Volume()",
                                      "on_pushButton_Standby_Wakeup_clicked()",
                                      "on_pushButton_Volume_Mute_Unmute_clicked()",
                                      "on_pushButton_Other_Command_clicked()",
                                      "on_pushButton_Relay_Command_clicked()",
                                      "on_comboBox_Source_Of_Playback_activated(int)",
                                      "on_pushButton_Launch_Playback_clicked()"};
    int index = 0;
    for (const char *signature : signatures)
        QTest::newRow(signature) << index++;
}

void tst_WidgetTree::slotOrder()
{
    QFETCH(int, index);
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QVERIFY(meta.methodOffset() + index < meta.methodCount());
    const QMetaMethod method = meta.method(meta.methodOffset() + index);
    QCOMPARE(method.methodSignature(), QByteArray(QTest::currentDataTag()));
    QCOMPARE(method.methodType(), QMetaMethod::Slot);
    QCOMPARE(method.access(), QMetaMethod::Private);
    QCOMPARE(method.returnType(), int(QMetaType::Void));
}

void tst_WidgetTree::slotCount()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 49);
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
    QTest::newRow("Sent Dec then Data Dec")
        << QStringList{"radioButton_Sent_Dec", "radioButton_Data_Dec"}
        << QStringList{"radioButton_Sent_Dec", "radioButton_Data_Dec"};
    QTest::newRow("Data Hex then Sent Dec then Sent Hex")
        << QStringList{"radioButton_Data_Hex", "radioButton_Sent_Dec", "radioButton_Sent_Hex"}
        << QStringList{"radioButton_Sent_Hex", "radioButton_Data_Hex"};
}

void tst_WidgetTree::radioGroups()
{
    QFETCH(QStringList, checkedInTurn);
    QFETCH(QStringList, checked);

    // The command area is disabled while no link is open, so the buttons are checked rather
    // than clicked.
    for (const char *start : {"radioButton_Sent_Hex", "radioButton_Data_ASCII"})
        window->findChild<QAbstractButton *>(start)->setChecked(true);
    for (const QString &name : qAsConst(checkedInTurn))
        window->findChild<QAbstractButton *>(name)->setChecked(true);

    QStringList actual;
    for (const char *name : radioButtons) {
        if (window->findChild<QAbstractButton *>(name)->isChecked())
            actual << name;
    }
    QCOMPARE(actual, checked);
}

QTEST_MAIN(tst_WidgetTree)
#include "tst_widgettree.moc"
