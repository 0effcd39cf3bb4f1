#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::buildPlayerCatalogue()
{
    for (const PlayerModel &model : environment.catalogue)
        ui->comboBox_Player->addItem(model.name);
}
