#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "connection/modelpanels.h"
#include "recording/sessionrecording.h"
#include "ui_mainwindow.h"

void MainWindow::on_comboBox_Player_activated(int index)
{
    applyPlayerModel(index);
    recording->recordModel();
}

void MainWindow::hideModelPanels()
{
    QWidget *const panels[] = {
        ui->frame_Port,
        ui->frame_Baudrate,
        ui->frame_IP,
        ui->frame_ID,
        ui->frame_Change_ID,
        ui->line_after_Change_ID,
        ui->line_after_ID,
        ui->frame_Folder,
        ui->line_ID_and_Folder,
        ui->frame_Playback_Command,
        ui->pushButton_Previous_Folder,
        ui->pushButton_Previous_File,
        ui->pushButton_Play,
        ui->pushButton_Stop,
        ui->pushButton_Pause,
        ui->pushButton_Next_Folder,
        ui->pushButton_Next_File,
        ui->line_Playback_Command,
        ui->frame_Volume,
        ui->pushButton_Volume_Less,
        ui->pushButton_Volume_More,
        ui->line_Volume,
        ui->frame_Request,
        ui->line_Request,
        ui->frame_Standby_Wakeup,
        ui->line_after_Change_Before_Standby,
        ui->frame_Other_Command,
        ui->line_Other_Command,
        ui->pushButton_Volume_Mute_Unmute,
        ui->line_before_Mute_Unmute,
        ui->frame_Relay_Command,
        ui->line_Relay,
        ui->line_Content_Playback,
        ui->frame_Content_Playback,
        ui->frame_Ref_Of_Playback,
        ui->frame_Option_Of_Playback,
        ui->frame_Webradio_Ref_Of_Playback,
    };
    for (QWidget *panel : panels)
        panel->hide();
}

void MainWindow::applyPlayerModel(int index)
{
    if (index < 0 || index >= environment.catalogue.size()) {
        onSocketConnected();
        updateSourceOfPlayback(0);
        return;
    }
    clearModelLists();
    hideModelPanels();

    // The caller has made `index` current; the check box and the volume rule follow the
    // current entry, the rest follows `index`.
    const PlayerModel *current = selectedModel();
    ui->checkBox_Auto_connection->setVisible(!(current && current->isOnDemand()));

    const PlayerModel &model = environment.catalogue.at(index);
    showLinkSettings(model);
    showPlayerIds(model);
    for (const PlayerCommand &command : model.commands)
        showCommandPanel(model, command, current ? current->protocol : model.protocol);
    onSocketConnected();
    updateSourceOfPlayback(0);
}

void MainWindow::clearModelLists()
{
    QComboBox *const lists[] = {
        ui->comboBox_Baudrate,
        ui->comboBox_ID,
        ui->comboBox_Change_ID,
        ui->comboBox_Folder,
        ui->comboBox_Request,
        ui->comboBox_Other_Command,
        ui->comboBox_Source_Of_Playback,
        ui->comboBox_Ref_Of_Playback,
        ui->comboBox_Option_Of_Playback,
        ui->comboBox_Webradio_Ref_Of_Playback,
    };
    for (QComboBox *list : lists)
        list->clear();
}

void MainWindow::showLinkSettings(const PlayerModel &model)
{
    if (model.isTcp()) {
        showTcpPort(model);
        ui->frame_IP->show();
        return;
    }
    showAll({ui->frame_Port, ui->frame_Baudrate});
    ui->comboBox_Baudrate->addItems(baudRateEntries(model));
    ui->comboBox_Baudrate->setCurrentIndex(defaultBaudRateEntry(model));
    if (ui->comboBox_Baudrate->count() > 0)
        ui->frame_Baudrate->setEnabled(true);
}

void MainWindow::showTcpPort(const PlayerModel &model)
{
    ui->label_IP_Port->setText(QStringLiteral("( ") + tr("Port number: ") +
                               QString::number(model.tcpPort) + QStringLiteral(" )"));
}

void MainWindow::showPlayerIds(const PlayerModel &model)
{
    ui->comboBox_ID->addItems(numberEntries(model.minId, model.maxId, false));
    if (ui->comboBox_ID->count() > 1)
        showAll({ui->frame_ID, ui->line_ID_and_Folder, ui->line_after_ID});
}

void MainWindow::showCommandPanel(const PlayerModel &model, const PlayerCommand &command,
                                  int volumeProtocol)
{
    switch (panelOfCategory(command.category)) {
    case CommandPanel::None:
        break;
    case CommandPanel::Folder:
        ui->comboBox_Folder->addItems(folderEntries(command, model.folderBanks));
        if (ui->comboBox_Folder->count() > 0)
            showAll({ui->line_ID_and_Folder, ui->frame_Folder});
        break;
    case CommandPanel::PlaybackButton:
        showAll({ui->frame_Playback_Command, playbackButton(command.category),
                 ui->line_Playback_Command});
        break;
    case CommandPanel::Volume:
        // Choosing a model never transmits: the slider moves without sending its volume.
        if (const auto range = volumeRange(command, volumeProtocol)) {
            const QSignalBlocker quiet(ui->horizontalSlider_Volume);
            ui->horizontalSlider_Volume->setRange(range->minimum, range->maximum);
            ui->horizontalSlider_Volume->setValue(range->maximum);
        }
        showVolumeValue();
        showAll({ui->frame_Volume, ui->pushButton_Volume_Less, ui->pushButton_Volume_More,
                 ui->line_Volume});
        break;
    case CommandPanel::Request:
        ui->comboBox_Request->addItem(command.label);
        showAll({ui->frame_Request, ui->line_Request});
        break;
    case CommandPanel::ChangeId:
        if (model.isTcp() || command.dataMin.isEmpty() || command.dataMax.isEmpty())
            break;
        ui->comboBox_Change_ID->addItems(
            numberEntries(command.dataMin.at(0), command.dataMax.at(0), false));
        if (ui->comboBox_Change_ID->count() >= 2)
            showAll({ui->frame_Change_ID, ui->line_after_Change_ID});
        break;
    case CommandPanel::StandbyWakeup:
        showAll({ui->frame_Standby_Wakeup, ui->line_after_Change_Before_Standby,
                 ui->line_Playback_Command});
        break;
    case CommandPanel::OtherCommand:
        ui->comboBox_Other_Command->addItem(command.label);
        showAll({ui->frame_Other_Command, ui->line_Other_Command});
        break;
    case CommandPanel::MuteToggle:
        showAll({ui->frame_Volume, ui->pushButton_Volume_Mute_Unmute, ui->line_Volume,
                 ui->line_before_Mute_Unmute});
        break;
    case CommandPanel::Relay:
        showAll({ui->frame_Relay_Command, ui->line_Relay});
        break;
    case CommandPanel::PlaybackSource:
        ui->comboBox_Source_Of_Playback->addItem(command.label);
        showAll({ui->frame_Content_Playback, ui->line_Content_Playback});
        ui->frame_Ref_Of_Playback->hide();
        ui->frame_Option_Of_Playback->hide();
        ui->frame_Webradio_Ref_Of_Playback->hide();
        break;
    }
}

QWidget *MainWindow::playbackButton(int category) const
{
    using namespace CommandCategory;
    switch (category) {
    case PreviousFolder:
        return ui->pushButton_Previous_Folder;
    case PreviousFile:
        return ui->pushButton_Previous_File;
    case Play:
        return ui->pushButton_Play;
    case Stop:
        return ui->pushButton_Stop;
    case Pause:
        return ui->pushButton_Pause;
    case NextFile:
        return ui->pushButton_Next_File;
    default:
        return ui->pushButton_Next_Folder;
    }
}
