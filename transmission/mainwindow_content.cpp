#include "app/mainwindow.h"
#include "connection/modelpanels.h"
#include "transmission/controlframe.h"
#include "ui_mainwindow.h"

void MainWindow::on_comboBox_Source_Of_Playback_activated(int index)
{
    updateSourceOfPlayback(index);
}

void MainWindow::updateSourceOfPlayback(int index)
{
    ui->frame_Ref_Of_Playback->hide();
    ui->frame_Option_Of_Playback->hide();
    ui->frame_Webradio_Ref_Of_Playback->hide();
    ui->comboBox_Ref_Of_Playback->clear();
    ui->comboBox_Option_Of_Playback->clear();
    ui->comboBox_Webradio_Ref_Of_Playback->clear();
    if (ui->comboBox_Source_Of_Playback->count() <= index)
        return;

    const PlayerModel *model = selectedModel();
    const PlayerCommand *source =
        model ? model->commandByLabel(ui->comboBox_Source_Of_Playback->currentText()) : nullptr;
    if (!source || source->dataMin.size() < 3 || source->dataMax.size() < 3)
        return;
    // References and presets alike: the 16-bit range of bytes 0 and 1.
    const QStringList references = numberEntries(source->wordMin(), source->wordMax(), true);
    switch (source->category) {
    case CommandCategory::ContentFolderOption:
        ui->comboBox_Ref_Of_Playback->addItems(references);
        ui->comboBox_Option_Of_Playback->addItems(
            numberEntries(source->dataMin.at(2), source->dataMax.at(2), true));
        break;
    case CommandCategory::Webradio:
        ui->comboBox_Webradio_Ref_Of_Playback->addItems(references);
        break;
    case CommandCategory::ContentFolder:
        ui->comboBox_Ref_Of_Playback->addItems(references);
        break;
    default:
        break;
    }
    ui->frame_Ref_Of_Playback->setVisible(ui->comboBox_Ref_Of_Playback->count() > 0);
    ui->frame_Option_Of_Playback->setVisible(ui->comboBox_Option_Of_Playback->count() > 0);
    ui->frame_Webradio_Ref_Of_Playback->setVisible(ui->comboBox_Webradio_Ref_Of_Playback->count() >
                                                   0);
}

void MainWindow::on_pushButton_Launch_Playback_clicked()
{
    Control control =
        entryControl(ControlKind::Launch, ui->comboBox_Source_Of_Playback->currentText());
    control.launch = {ui->comboBox_Ref_Of_Playback->currentText().toInt(),
                      ui->comboBox_Option_Of_Playback->currentText().toInt(),
                      ui->comboBox_Webradio_Ref_Of_Playback->currentText().toInt()};
    sendControl(control);
}

void MainWindow::on_pushButton_Relay_Command_clicked()
{
    Control control;
    control.kind = ControlKind::Relay;
    control.relays = {ui->checkBox_Relay_1->isChecked(), ui->checkBox_Relay_2->isChecked(),
                      ui->checkBox_Relay_3->isChecked(), ui->checkBox_Relay_4->isChecked(),
                      ui->checkBox_Relay_5->isChecked(), ui->checkBox_Relay_6->isChecked(),
                      ui->checkBox_Relay_7->isChecked(), ui->checkBox_Relay_8->isChecked()};
    sendControl(control);
}
