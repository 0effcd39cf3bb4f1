#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "testtable.h"

#include <QAbstractButton>
#include <QAction>
#include <QFormLayout>
#include <QMenu>
#include <QMetaMethod>
#include <QtTest>

#include <memory>

namespace {

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
    // No configuration: a saved TCP/IP model would rewrite label_IP_Port.
    setConsoleIdentity();
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

    TestTable table(QStringLiteral("widgettree/objects.txt"));
    QVERIFY2(table.holds(168), table.problem());
    for (const QStringList &row : table.rows()) {
        QVERIFY2(row.size() == 3 || row.size() == 4, qPrintable(row.join('|')));
        // Without a text, the text is not checked.
        const QStringList text = quotedTexts(row.value(3));
        QVERIFY2(row.size() == 3 || text.size() == 1, qPrintable(row.join('|')));
        QTest::newRow(qPrintable(row.at(0)))
            << row.at(1) << row.at(2) << (text.isEmpty() ? QVariant() : QVariant(text.first()));
    }
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

    TestTable table(QStringLiteral("widgettree/contents.txt"), 2);
    QVERIFY2(table.holds(24), table.problem());
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0))) << row.at(1).simplified();
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
    QTest::addColumn<QString>("value");

    TestTable table(QStringLiteral("widgettree/properties.txt"));
    QVERIFY2(table.holds(34), table.problem());
    // Flags keep the "|" between their keys.
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0))) << row.mid(1).join('|');
}

void tst_WidgetTree::properties()
{
    QFETCH(QString, value);
    const QStringList row = QString::fromLatin1(QTest::currentDataTag()).split(QLatin1Char('/'));
    const QObject *object = find(row.at(0));
    QVERIFY(object);
    const QMetaObject *meta = object->metaObject();
    const QMetaProperty property = meta->property(meta->indexOfProperty(qPrintable(row.at(1))));
    QVERIFY(property.isValid());
    const QVariant actual = property.read(object);
    if (value.startsWith('"')) {
        QCOMPARE(actual.toString(), quotedTexts(value).value(0));
    } else if (property.isEnumType()) {
        // Compared by value, shown by keys: AlignLeft and AlignLeading are one flag.
        const QMetaEnum keys = property.enumerator();
        bool known = false;
        const int expected = keys.keysToValue(qPrintable(value), &known);
        QVERIFY2(known, qPrintable(value));
        const auto keysOf = [&keys](int flags) {
            return keys.isFlag() ? keys.valueToKeys(flags) : QByteArray(keys.valueToKey(flags));
        };
        QCOMPARE(keysOf(actual.toInt()), keysOf(expected));
    } else if (actual.userType() == QMetaType::QSize) {
        QCOMPARE(QStringLiteral("%1x%2").arg(actual.toSize().width()).arg(actual.toSize().height()),
                 value);
    } else {
        QCOMPARE(actual.toString(), value);
    }
}

void tst_WidgetTree::slotOrder_data()
{
    QTest::addColumn<int>("index");

    TestTable table(QStringLiteral("widgettree/slots.txt"), 1);
    QVERIFY2(table.holds(49), table.problem());
    for (int index = 0; index < table.rows().size(); ++index)
        QTest::newRow(qPrintable(table.rows().at(index).first())) << index;
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
