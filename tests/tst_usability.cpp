#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "startup/highdensity.h"
#include "startup/skipopengl.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStyleOptionComboBox>

// What a user who does not see, or sees differently, meets: names for every control in both
// languages and nothing clipped (run again on a dense screen and with large fonts), the received
// text for a screen reader, the history usable without a link, addresses typed as people type
// them.
class tst_Usability : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void everyModel_data();
    void everyModel();
    void receivedTextForScreenReaders();
    void historyUsableWithoutLink_data();
    void historyUsableWithoutLink();
    void addressTyping_data();
    void addressTyping();
    void openGlChoiceKept_data();
    void openGlChoiceKept();
};

namespace {

bool otherScreen()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("QT_FONT_DPI");
}

// How much narrower than its widest entry the field that a list draws its entry in is.
int listShortfall(const QComboBox &list)
{
    int widest = 0;
    for (int entry = 0; entry < list.count(); ++entry)
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.itemText(entry)));
    QStyleOptionComboBox option;
    option.initFrom(&list);
    return widest -
           list.style()
               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list)
               .width();
}

} // namespace

void tst_Usability::everyModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("french");
    // Names do not depend on the screen: the runs on a dense screen and with large fonts check
    // the English texts, the only ones whose clipping is checked.
    const PlayerCatalogueList models = buildCatalogueModels();
    for (int model = 0; model < models.size(); ++model) {
        for (bool french : {false, true})
            if (!french || !otherScreen())
                QTest::addRow("%s/%s", qPrintable(models.at(model).name),
                              french ? "French" : "English")
                    << model << french;
    }
}

void tst_Usability::everyModel()
{
    QFETCH(int, model);
    QFETCH(bool, french);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    chooseModel(window, model);
    // Laid out as the model is applied, not over the next rounds of events: a list that a model
    // refills is never drawn clipped.
    for (const QComboBox *list : window.findChildren<QComboBox *>())
        QVERIFY2(!list->isVisible() || listShortfall(*list) <= 1, qPrintable(list->objectName()));
    if (french)
        window.findChild<QAction *>("action_French")->trigger();
    // The French texts come from the translation file: it must have been found.
    auto *connectButton = window.findChild<QPushButton *>("pushButton_Connect");
    QCOMPARE(connectButton->text() == "Connect", !french);
    // Greyed without a link only for a model whose commands connect for themselves: it says why,
    // naming it as it is shown, and so does Disconnect.
    QCOMPARE(connectButton->toolTip().contains(connectButton->text()), !connectButton->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("pushButton_Disconnect")->toolTip(),
             connectButton->toolTip());
    QTRY_VERIFY(window.findChild<QWidget *>("frame_Commands")->isVisible());
    QCoreApplication::processEvents();
    const auto widgets = window.findChildren<QWidget *>();
    // Two controls of a group that a screen reader names alike cannot be told apart.
    QHash<QString, QByteArray> named;
    for (QWidget *widget : widgets) {
        // The form's own controls have names; the parts of composite widgets do not.
        const QByteArray name = widget->objectName().toLatin1();
        if (!widget->isVisible() || name.isEmpty())
            continue;
        auto *button = qobject_cast<QAbstractButton *>(widget);
        auto *list = qobject_cast<QComboBox *>(widget);
        auto *label = qobject_cast<QLabel *>(widget);
        const QString spoken =
            QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QByteArray &sameName = named[widget->parentWidget()->objectName() + '/' + spoken];
        if (button || list || qobject_cast<QAbstractSlider *>(widget) ||
            qobject_cast<QAbstractSpinBox *>(widget))
            QVERIFY2(!spoken.isEmpty() && std::exchange(sameName, name).isEmpty(),
                     name + " " + sameName);
        // An icon alone says nothing to a sighted user either: its tooltip does.
        if (button && button->text().isEmpty())
            QVERIFY2(!button->toolTip().isEmpty(), name);
        // How much narrower than its text: a list's widest entry against the field it is drawn
        // in, a label's or a button's whole text against the widget. A pixel of rounding lies
        // between the style's measure and the list's own.
        const int shortfall =
            list ? listShortfall(*list) : widget->sizeHint().width() - widget->width();
        if (!french &&
            (button || list || (label && !label->wordWrap() && !label->text().isEmpty())))
            QVERIFY2(shortfall <= 1, name + " short by " + QByteArray::number(shortfall));
    }
    // The dense screen's own images, not the ordinary ones scaled up.
    const auto *play = window.findChild<QPushButton *>("pushButton_Play");
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QPixmap shown = play->icon().pixmap(play->iconSize(), window.devicePixelRatioF());
#else
    const QPixmap shown = play->icon().pixmap(window.windowHandle(), play->iconSize());
#endif
    QCOMPARE(shown.devicePixelRatio(), window.devicePixelRatioF());
    // The window's icon comes once the window is drawn, in every size a desktop may ask for.
    QTRY_VERIFY(window.windowIcon().availableSizes().size() > 1);
    // A font changed while the console runs (the desktop's settings) sizes the lists again; a
    // screen that is already dense leaves no room for a larger one.
    if (otherScreen())
        return;
    QFont larger = window.font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    window.setFont(larger);
    QCoreApplication::processEvents();
    for (const QComboBox *list : window.findChildren<QComboBox *>()) {
        if (list->isVisible())
            QVERIFY2(listShortfall(*list) <= 1, qPrintable(list->objectName()));
    }
}

// As it is shown: the break unseen, control characters as their symbols, a tab as a space.
void tst_Usability::receivedTextForScreenReaders()
{
    ReceivedDataView view;
    view.show();
    view.appendText(QStringLiteral("OK\r\nA") + QChar(0) + QStringLiteral("\tB\x01"));
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    QCOMPARE(text->text(0, text->characterCount()),
             QStringLiteral("OK\u240D\u240AA\u2400 B\u2401"));
    // Where the font has no symbol for the zero byte, the view draws one: never a blank.
    const QImage drawn = view.viewport()->grab().toImage();
    view.clear();
    view.appendText(QStringLiteral("OK\r\nA \tB\x01"));
    QVERIFY(view.viewport()->grab().toImage() != drawn);
}

void tst_Usability::historyUsableWithoutLink_data()
{
    QTest::addColumn<bool>("linkLost");
    QTest::newRow("after Disconnect") << false;
    QTest::newRow("after the device went away") << true;
}

void tst_Usability::historyUsableWithoutLink()
{
    QFETCH(bool, linkLost);

    ModalBoxCatcher boxes;
    LinkedDevice device(0);
    MainWindow &window = device.window();
    QVERIFY(device.linked());
    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    device.terminal().write("last answer\n");
    QTRY_COMPARE(view->text(), QString("last answer\n"));
    if (linkLost)
        device.terminal().closeMaster();
    else
        clickButton(window, "pushButton_Disconnect");
    QTRY_COMPARE(linkOf(window).state(), DeviceLink::State::Closed);

    // The commands wait for a link; the history does not.
    QVERIFY(!window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());
    QVERIFY(view->isEnabled());
    view->selectAll();
    view->copy();
    QCOMPARE(QApplication::clipboard()->text(), QString("last answer\n"));
    clickButton(window, "radioButton_Data_Hex");
    QVERIFY(window.findChild<QRadioButton *>("radioButton_Data_Hex")->isChecked());
    // Kept through the next attempt to connect: it fails where the device has gone.
    const int boxesBefore = boxes.count();
    clickButton(window, "pushButton_Connect");
    QTRY_COMPARE(boxes.count() - boxesBefore, linkLost ? 1 : 0);
    QCOMPARE(device.linked(), !linkLost);
    QCOMPARE(view->text(), QString("last answer\n"));

    // Cleared from its own menu.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              view->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(view->viewport(), &menuKey);
    auto *menu = view->findChild<QMenu *>();
    QVERIFY(menu);
    menu->actions().last()->trigger();
    menu->close();
    QCOMPARE(view->text(), QString());
}

void tst_Usability::addressTyping_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("address");

    QTest::newRow("10.0.0.5 typed into the first box") << 1 << "10.0.0.5" << false << "10.0.0.5";
    QTest::newRow("a fourth digit goes on") << 1 << "1921681" << false << "192.168.1.255";
    QTest::newRow("pasted into the third box") << 3 << "255.16.0.9" << true << "255.16.0.9";
}

void tst_Usability::addressTyping()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, address);

    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    chooseModel(window, modelIndex("Showcaster - SC900 (TCP/IP)"));
    // At the bounds: the first digit typed over a full box's selection replaces it.
    setAddress(window, {255, 0, 0, 255});
    auto *target = window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(box));
    target->setFocus();
    // Selected as a double click selects it, the cursor after the number.
    target->findChild<QLineEdit *>()->selectAll();
    if (pasted) {
        QApplication::clipboard()->setText(typed);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
    } else {
        for (const QChar c : typed)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    QStringList values;
    for (int i = 1; i <= 4; ++i)
        values << window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(i))->text();
    QCOMPARE(values.join('.'), address);
}

// The GL drivers are left out unless the user chose how X11 should offer OpenGL.
void tst_Usability::openGlChoiceKept_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("used");
    QTest::newRow("no choice") << QByteArray() << QByteArrayLiteral("none");
    QTest::newRow("the user's") << QByteArrayLiteral("xcb_egl") << QByteArrayLiteral("xcb_egl");
}

void tst_Usability::openGlChoiceKept()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, used);
    const char name[] = "QT_XCB_GL_INTEGRATION";
    if (chosen.isNull())
        qunsetenv(name);
    else
        qputenv(name, chosen);
    skipOpenGlDrivers();
    QCOMPARE(qgetenv(name), used);
    qunsetenv(name);
}

int main(int argc, char *argv[])
{
    enableHighDensityScreens();
    QApplication application(argc, argv);
    // The offscreen platform ignores QT_FONT_DPI: large fonts are made by hand, as a user who
    // sets them gets them.
    if (const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI")) {
        QFont large = QApplication::font();
        large.setPointSizeF(large.pointSizeF() * dpi / 96.0);
        QApplication::setFont(large);
    }
    tst_Usability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_usability.moc"
