#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "transmission/frames.h"
#include "ui_mainwindow.h"

void MainWindow::sendCommandOfCategory(int category)
{
    quint8 code = 0;
    ByteList data;
    if (!findCommandByCategory(category, code, data))
        return;
    appendPlaybackTrailer(*selectedModel(ui->comboBox_Player), category, data);
    sendCommand(code, data);
}

void MainWindow::on_pushButton_Previous_Folder_clicked()
{
    sendCommandOfCategory(CommandCategory::PreviousFolder);
}

void MainWindow::on_pushButton_Previous_File_clicked()
{
    sendCommandOfCategory(CommandCategory::PreviousFile);
}

void MainWindow::on_pushButton_Play_clicked()
{
    sendCommandOfCategory(CommandCategory::Play);
}

void MainWindow::on_pushButton_Stop_clicked()
{
    sendCommandOfCategory(CommandCategory::Stop);
}

void MainWindow::on_pushButton_Pause_clicked()
{
    sendCommandOfCategory(CommandCategory::Pause);
}

void MainWindow::on_pushButton_Next_Folder_clicked()
{
    sendCommandOfCategory(CommandCategory::NextFolder);
}

void MainWindow::on_pushButton_Next_File_clicked()
{
    sendCommandOfCategory(CommandCategory::NextFile);
}

void MainWindow::on_pushButton_Standby_Wakeup_clicked()
{
    sendCommandOfCategory(CommandCategory::StandbyWakeup);
}

void MainWindow::on_pushButton_Volume_Mute_Unmute_clicked()
{
    sendCommandOfCategory(CommandCategory::MuteToggle);
}

void MainWindow::playFolder(int folder)
{
    quint8 code = 0;
    ByteList data;
    if (!findCommandByCategory(CommandCategory::Folder, code, data))
        return;
    placeFolder(folder, code, data);
    sendCommand(code, data);
}

void MainWindow::on_pushButton_Folder_clicked()
{
    playFolder(ui->comboBox_Folder->currentText().toInt());
}

void MainWindow::Play_Folder_000()
{
    playFolder(0);
}
void MainWindow::Play_Folder_001()
{
    playFolder(1);
}
void MainWindow::Play_Folder_002()
{
    playFolder(2);
}
void MainWindow::Play_Folder_003()
{
    playFolder(3);
}
void MainWindow::Play_Folder_004()
{
    playFolder(4);
}
void MainWindow::Play_Folder_005()
{
    playFolder(5);
}
void MainWindow::Play_Folder_006()
{
    playFolder(6);
}
void MainWindow::Play_Folder_007()
{
    playFolder(7);
}
void MainWindow::Play_Folder_008()
{
    playFolder(8);
}
void MainWindow::Play_Folder_009()
{
    playFolder(9);
}

void MainWindow::on_pushButton_Change_ID_clicked()
{
    quint8 code = 0;
    ByteList data;
    if (!findCommandByCategory(CommandCategory::ChangeId, code, data) || data.isEmpty())
        return;
    data[0] = quint8(ui->comboBox_Change_ID->currentText().toInt());
    sendCommand(code, data);
}

void MainWindow::on_horizontalSlider_Volume_valueChanged(int value)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    const quint8 valueByte = quint8(ui->horizontalSlider_Volume->minimum() + value);
    quint8 code = 0;
    ByteList data;
    if (!model || !buildVolume(*model, valueByte, code, data))
        return;
    sendCommand(code, data);
    showVolumeValue();
}

void MainWindow::showVolumeValue()
{
    ui->label_Volume_2->setText(QString::number(ui->horizontalSlider_Volume->value()));
}

void MainWindow::on_pushButton_Volume_Less_clicked()
{
    ui->horizontalSlider_Volume->setValue(ui->horizontalSlider_Volume->minimum());
}

void MainWindow::on_pushButton_Volume_More_clicked()
{
    ui->horizontalSlider_Volume->setValue(ui->horizontalSlider_Volume->maximum());
}

void MainWindow::Increase_Volume()
{
    QSlider *slider = ui->horizontalSlider_Volume;
    if (slider->value() < slider->maximum())
        slider->setSliderPosition(slider->value() + 1);
}

void MainWindow::Decrease_Volume()
{
    QSlider *slider = ui->horizontalSlider_Volume;
    if (slider->value() > slider->minimum())
        slider->setSliderPosition(slider->value() - 1);
}
