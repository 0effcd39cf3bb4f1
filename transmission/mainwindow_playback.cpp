#include "app/mainwindow.h"
#include "transmission/controlframe.h"
#include "ui_mainwindow.h"

void MainWindow::sendButton(int category)
{
    sendControl(buttonControl(category));
}

void MainWindow::on_pushButton_Previous_Folder_clicked()
{
    sendButton(CommandCategory::PreviousFolder);
}

void MainWindow::on_pushButton_Previous_File_clicked()
{
    sendButton(CommandCategory::PreviousFile);
}

void MainWindow::on_pushButton_Play_clicked()
{
    sendButton(CommandCategory::Play);
}

void MainWindow::on_pushButton_Stop_clicked()
{
    sendButton(CommandCategory::Stop);
}

void MainWindow::on_pushButton_Pause_clicked()
{
    sendButton(CommandCategory::Pause);
}

void MainWindow::on_pushButton_Next_Folder_clicked()
{
    sendButton(CommandCategory::NextFolder);
}

void MainWindow::on_pushButton_Next_File_clicked()
{
    sendButton(CommandCategory::NextFile);
}

void MainWindow::on_pushButton_Standby_Wakeup_clicked()
{
    sendButton(CommandCategory::StandbyWakeup);
}

void MainWindow::on_pushButton_Volume_Mute_Unmute_clicked()
{
    sendButton(CommandCategory::MuteToggle);
}

void MainWindow::playFolder(int folder)
{
    sendControl(numberControl(ControlKind::Folder, folder));
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
    sendControl(
        numberControl(ControlKind::ChangeId, ui->comboBox_Change_ID->currentText().toInt()));
}

// The volume sent is the slider's value itself: its range is the command's range.
void MainWindow::on_horizontalSlider_Volume_valueChanged(int value)
{
    sendControl(numberControl(ControlKind::Volume, value));
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
