#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Zoxen Console"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.7.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brevane Systems / Tessik"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("https://www.tessik.example"));

    QApplication application(argc, argv);
    int result = 0;
    {
        MainWindow window;
        window.show();
        result = application.exec();
    }
    return result;
}
