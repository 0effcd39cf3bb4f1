#include "app/mainwindow.h"
#include "connection/linksettings.h"
#include "link/devicelink.h"
#include "players/playersfile.h"
#include "recording/sessionrecording.h"
#include "ui_mainwindow.h"

SavedPlayer MainWindow::currentPlayer() const
{
    SavedPlayer player;
    const PlayerModel *model = selectedModel();
    if (!model)
        return player;
    player.model = model->name;
    if (model->isTcp()) {
        player.address = hostText(ui->spinBox_IP_1->value(), ui->spinBox_IP_2->value(),
                                  ui->spinBox_IP_3->value(), ui->spinBox_IP_4->value());
    } else {
        player.address = ui->comboBox_Port->currentText();
        if (ui->comboBox_Baudrate->currentIndex() >= 0)
            player.baudRate = ui->comboBox_Baudrate->currentText().toInt();
    }
    if (model->minId != model->maxId && ui->comboBox_ID->currentIndex() >= 0)
        player.id = ui->comboBox_ID->currentText().toInt();
    return player;
}

// The link to the player before is closed: the settings are frozen while one is open.
void MainWindow::choosePlayer(const SavedPlayer &player)
{
    link->close();
    const auto numbers = dottedAddress(player.address);
    std::array<std::optional<int>, 4> address;
    for (std::size_t index = 0; numbers && index < 4; ++index)
        address[index] = (*numbers)[index];
    const auto entryOf = [](std::optional<int> number) {
        return number ? QString::number(*number) : QString();
    };
    showPlayer(player.model, numbers ? QString() : player.address, entryOf(player.baudRate),
               address, entryOf(player.id));
    recording->recordModel();
    autoConnect();
}
