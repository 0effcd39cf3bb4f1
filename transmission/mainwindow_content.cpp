#include "app/mainwindow.h"
#include "modelselection/modelcontrols.h"
#include "transmission/controlframe.h"
#include "ui_mainwindow.h"

void MainWindow::on_comboBox_Source_Of_Playback_activated(int index)
{
    controls.showSourceOfPlayback(selectedModel(), index);
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
