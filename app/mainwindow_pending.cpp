#include "app/mainwindow.h"

// Slots whose behaviour is not built yet; each moves to its own folder when it is.

void MainWindow::on_action_French_triggered() {}
void MainWindow::on_action_English_triggered() {}
void MainWindow::on_action_Default_triggered() {}
void MainWindow::on_action_Tessik_Home_Page_triggered() {}
void MainWindow::on_action_Contact_Technical_Support_triggered() {}
void MainWindow::on_action_About_triggered() {}
