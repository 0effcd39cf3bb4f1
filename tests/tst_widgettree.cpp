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

// connectSlotsByName skips a misnamed slot without a word, and the control would do nothing:
// every "on_" slot names a child of the window and one of its signals.
void tst_WidgetTree::slotsAndTheirSignals()
{
    MainWindow window;
    const QMetaObject &meta = MainWindow::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        QCOMPARE(meta.method(i).methodType(), QMetaMethod::Slot);
        const QString signature = QString::fromLatin1(meta.method(i).methodSignature());
        if (!signature.startsWith("on_") || signature.startsWith("onSocket"))
            continue;
        const int split = signature.lastIndexOf('_', signature.indexOf('('));
        const QObject *object = window.findChild<QObject *>(signature.mid(3, split - 3));
        QVERIFY2(object &&
                     object->metaObject()->indexOfSignal(signature.mid(split + 1).toLatin1()) >= 0,
                 qPrintable(signature));
    }
}

QTEST_MAIN(tst_WidgetTree)
#include "tst_widgettree.moc"
