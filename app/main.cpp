#include "app/applicationidentity.h"
#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    setApplicationIdentity();

    QApplication application(argc, argv);
    int result = 0;
    {
        MainWindow window;
        window.show();
        result = application.exec();
    }
    return result;
}
