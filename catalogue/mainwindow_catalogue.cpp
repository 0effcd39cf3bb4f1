#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "ui_mainwindow.h"

PlayerCatalogueList PlayerCatalogue;

void MainWindow::buildPlayerCatalogue()
{
    // Assigned rather than appended: every window of the process sees the same list.
    PlayerCatalogue = buildCatalogueModels();
    for (const PlayerModel &model : qAsConst(PlayerCatalogue))
        ui->comboBox_Player->addItem(model.name);
}

const PlayerModel *selectedModel(const QComboBox *playerList)
{
    const int index = playerList->currentIndex();
    if (index < 0 || index >= PlayerCatalogue.size())
        return nullptr;
    return &PlayerCatalogue.at(index);
}
