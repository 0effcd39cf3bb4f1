#include "app/highdensity.h"
#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionComboBox>

// What a user who does not see, or sees differently, meets: names for every control in both
// languages, the received text for a screen reader, the history usable without a link,
// addresses typed as people type them, and nothing clipped on dense screens or with large
// fonts (the last run again under those settings).
class tst_Usability : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void cleanup() { serialPort->close(); }
    void everyControlNamed_data();
    void everyControlNamed();
    void receivedTextForScreenReaders();
    void historyUsableWithoutLink_data();
    void historyUsableWithoutLink();
    void addressTyping_data();
    void addressTyping();
    void nothingClipped_data();
    void nothingClipped();
};

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QString();
}

// The form's own controls: they have names; the parts of composite widgets do not.
QList<QWidget *> visibleControls(QWidget &window)
{
    QList<QWidget *> controls;
    const auto widgets = window.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->isVisibleTo(&window) && !widget->objectName().isEmpty() &&
            (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
             qobject_cast<QAbstractSlider *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)))
            controls << widget;
    }
    return controls;
}

// How much narrower a widget is than its text: a list's current entry against the field it is
// drawn in, a label's or a button's whole text against the widget.
int shortfall(QWidget *widget)
{
    auto *list = qobject_cast<QComboBox *>(widget);
    if (!list)
        return widget->sizeHint().width() - widget->width();
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    return list->fontMetrics().horizontalAdvance(list->currentText()) - field.width();
}

} // namespace

void tst_Usability::everyControlNamed_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("french");
    const PlayerCatalogueList models = buildCatalogueModels();
    for (int model = 0; model < models.size(); ++model) {
        for (bool french : {false, true})
            QTest::addRow("%s/%s", qPrintable(models.at(model).name), french ? "French" : "English")
                << model << french;
    }
}

void tst_Usability::everyControlNamed()
{
    QFETCH(int, model);
    QFETCH(bool, french);

    MainWindow window;
    window.show();
    chooseModel(window, model);
    if (french)
        window.findChild<QAction *>("action_French")->trigger();
    for (QWidget *control : visibleControls(window)) {
        QVERIFY2(!accessibleText(control, QAccessible::Name).isEmpty(),
                 qPrintable(control->objectName()));
        // An icon alone says nothing to a sighted user either: its tooltip does.
        if (auto *button = qobject_cast<QPushButton *>(control); button && button->text().isEmpty())
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
    // Written when the model was chosen, rewritten in the new language.
    auto *port = window.findChild<QLabel *>("label_IP_Port");
    if (french && PlayerCatalogue.at(model).isTcp())
        QVERIFY2(!port->text().contains("Port number"), qPrintable(port->text()));
    // The French texts come from the translation file: it must have been found.
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Connect")->text() == "Connect", !french);
}

void tst_Usability::receivedTextForScreenReaders()
{
    ReceivedDataView view;
    view.show();
    view.appendText(QStringLiteral("OK\r\nA") + QChar(0) + QStringLiteral("\tB\x01"));
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(face);
    QAccessibleTextInterface *text = face->textInterface();
    QVERIFY(text);
    // As it is shown: the break unseen, control characters as their symbols, a tab as a space.
    const QString shown = QStringLiteral("OK\u240D\u240AA\u2400 B\u2401");
    QCOMPARE(text->characterCount(), shown.size());
    QCOMPARE(text->text(0, text->characterCount()), shown);
    text->setSelection(0, 4, 6);
    QCOMPARE(view.selectedText(), QString(QStringLiteral("A") + QChar(0)));
    int start = 0;
    int end = 0;
    text->selection(0, &start, &end);
    QCOMPARE(QPair(start, end), QPair(4, 6));
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
    MainWindow window;
    LinkedDevice device(window, 0);
    QVERIFY(device.linked());
    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    device.terminal().write("last answer\n");
    QTRY_COMPARE(view->text(), QString("last answer\n"));
    if (linkLost)
        device.terminal().closeMaster();
    else
        clickButton(window, "pushButton_Disconnect");
    QTRY_VERIFY(!serialPort->isOpen());

    // The commands wait for a link; the history does not.
    QVERIFY(!window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());
    QVERIFY(view->isEnabled() && view->isVisibleTo(&window));
    view->selectAll();
    view->copy();
    QCOMPARE(QApplication::clipboard()->text(), QString("last answer\n"));
    auto *hexadecimal = window.findChild<QRadioButton *>("radioButton_Data_Hex");
    QVERIFY(hexadecimal->isEnabled());
    hexadecimal->click();
    QVERIFY(hexadecimal->isChecked());
    auto *clear = window.findChild<QPushButton *>("pushButton_Clear");
    QVERIFY(clear->isEnabled());
    clear->click();
    QCOMPARE(view->text(), QString());
}

void tst_Usability::addressTyping_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("address");

    QTest::newRow("192.168.1.20 typed into the first box")
        << 1 << "192.168.1.20" << false << "192.168.1.20";
    QTest::newRow("10.0.0.5 typed into the first box") << 1 << "10.0.0.5" << false << "10.0.0.5";
    QTest::newRow("a fourth digit goes on") << 1 << "1921681" << false << "192.168.1.4";
    QTest::newRow("pasted into the third box") << 3 << "172.16.5.9" << true << "172.16.5.9";
    QTest::newRow("not an address: pasted as it is") << 3 << "12" << true << "1.2.12.4";
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
    setAddress(window, {1, 2, 3, 4});
    auto *target = window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(box));
    target->setFocus();
    target->selectAll();
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

void tst_Usability::nothingClipped_data()
{
    QTest::addColumn<int>("model");
    const PlayerCatalogueList models = buildCatalogueModels();
    for (int model = 0; model < models.size(); ++model)
        QTest::newRow(qPrintable(models.at(model).name)) << model;
}

void tst_Usability::nothingClipped()
{
    QFETCH(int, model);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    chooseModel(window, model);
    QTRY_VERIFY(window.findChild<QWidget *>("frame_Commands")->isVisible());
    QCoreApplication::processEvents();
    const auto widgets = window.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const bool text = qobject_cast<QLabel *>(widget) || qobject_cast<QComboBox *>(widget) ||
                          qobject_cast<QAbstractButton *>(widget);
        if (!text || !widget->isVisible())
            continue;
        const auto *label = qobject_cast<QLabel *>(widget);
        if (label && (label->wordWrap() || label->text().isEmpty()))
            continue;
        // A pixel of rounding lies between the style's measure and the list's own.
        QVERIFY2(shortfall(widget) <= 1,
                 qPrintable(widget->objectName() +
                            QStringLiteral(" short by %1").arg(shortfall(widget))));
    }
    // The dense screen's own images, not the ordinary ones scaled up.
    const auto *play = window.findChild<QPushButton *>("pushButton_Play");
    const QPixmap shown = play->icon().pixmap(window.windowHandle(), play->iconSize());
    QCOMPARE(shown.devicePixelRatio(), window.devicePixelRatioF());
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
