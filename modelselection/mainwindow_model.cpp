#include "app/mainwindow.h"
#include "recording/sessionrecording.h"
#include "ui_mainwindow.h"

void MainWindow::on_comboBox_Player_activated(int index)
{
    applyPlayerModel(index);
    recording->recordModel();
}

void MainWindow::applyPlayerModel(int index)
{
    if (index < 0 || index >= environment.catalogue.size()) {
        onSocketConnected();
        controls.showSourceOfPlayback(selectedModel(), 0);
        return;
    }

    // The caller has made `index` current; the check box and the volume rule follow the
    // current entry, the rest follows `index`.
    const PlayerModel *current = selectedModel();
    ui->checkBox_Auto_connection->setVisible(!(current && current->isOnDemand()));

    const PlayerModel &model = environment.catalogue.at(index);
    controls.show(model, current ? current->protocol : model.protocol);
    onSocketConnected();
    controls.showSourceOfPlayback(current, 0);
}
