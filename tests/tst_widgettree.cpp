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

QString dataFile(const char *name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/widgettree/") + name;
}

// The lines of a table file, trimmed, without blank lines and "#" comments; none when the file
// cannot be read.
QStringList tableLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    const QStringList all = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines << trimmed;
    }
    return lines;
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

    const QString path = dataFile("objects.txt");
    const QStringList lines = tableLines(path);
    QVERIFY2(!lines.isEmpty(), qPrintable("cannot read " + path));
    for (const QString &line : lines) {
        const QString what = path + ": " + line;
        const QStringList cells = line.split(QLatin1Char('|'));
        QVERIFY2(cells.size() >= 3, qPrintable(what));
        // The quoted text is the rest of the line, taken as is; without one, it is not checked.
        QVariant text;
        if (cells.size() > 3) {
            const QString quoted = line.section(QLatin1Char('|'), 3).trimmed();
            QVERIFY2(quoted.size() >= 2 && quoted.startsWith(QLatin1Char('"')) &&
                         quoted.endsWith(QLatin1Char('"')),
                     qPrintable(what));
            text = quoted.mid(1, quoted.size() - 2);
        }
        QTest::newRow(qPrintable(cells.at(0).trimmed()))
            << cells.at(1).trimmed() << cells.at(2).trimmed() << text;
    }
    // A lost or truncated table must not pass with fewer rows.
    QCOMPARE(lines.size(), 168);
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

    const QString path = dataFile("contents.txt");
    const QStringList lines = tableLines(path);
    QVERIFY2(!lines.isEmpty(), qPrintable("cannot read " + path));
    for (const QString &line : lines) {
        const QStringList cells = line.split(QLatin1Char('|'));
        QVERIFY2(cells.size() == 2, qPrintable(path + ": " + line));
        QTest::newRow(qPrintable(cells.at(0).trimmed())) << cells.at(1).simplified();
    }
    // A lost or truncated table must not pass with fewer rows.
    QCOMPARE(lines.size(), 24);
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
