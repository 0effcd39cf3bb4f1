#include "app/mainwindow.h"
#include "transmission/controlframe.h"
#include "ui_mainwindow.h"

void MainWindow::on_pushButton_Previous_Folder_clicked()
{
    sendControl(buttonControl(CommandCategory::PreviousFolder));
}

void MainWindow::on_pushButton_Previous_File_clicked()
{
    sendControl(buttonControl(CommandCategory::PreviousFile));
}

void MainWindow::on_pushButton_Play_clicked()
{
    sendControl(buttonControl(CommandCategory::Play));
}

void MainWindow::on_pushButton_Stop_clicked()
{
    sendControl(buttonControl(CommandCategory::Stop));
}

void MainWindow::on_pushButton_Pause_clicked()
{
    sendControl(buttonControl(CommandCategory::Pause));
}

void MainWindow::on_pushButton_Next_Folder_clicked()
{
    sendControl(buttonControl(CommandCategory::NextFolder));
}

void MainWindow::on_pushButton_Next_File_clicked()
{
    sendControl(buttonControl(CommandCategory::NextFile));
}

void MainWindow::on_pushButton_Standby_Wakeup_clicked()
{
    sendControl(buttonControl(CommandCategory::StandbyWakeup));
}

void MainWindow::on_pushButton_Volume_Mute_Unmute_clicked()
{
    sendControl(buttonControl(CommandCategory::MuteToggle));
}

void MainWindow::on_pushButton_Folder_clicked()
{
    sendControl(numberControl(ControlKind::Folder, ui->comboBox_Folder->currentText().toInt()));
}

void MainWindow::Play_Folder_000()
{
    sendControl(numberControl(ControlKind::Folder, 0));
}
void MainWindow::Play_Folder_001()
{
    sendControl(numberControl(ControlKind::Folder, 1));
}
void MainWindow::Play_Folder_002()
{
    sendControl(numberControl(ControlKind::Folder, 2));
}
void MainWindow::Play_Folder_003()
{
    sendControl(numberControl(ControlKind::Folder, 3));
}
void MainWindow::Play_Folder_004()
{
    sendControl(numberControl(ControlKind::Folder, 4));
}
void MainWindow::Play_Folder_005()
{
    sendControl(numberControl(ControlKind::Folder, 5));
}
void MainWindow::Play_Folder_006()
{
    sendControl(numberControl(ControlKind::Folder, 6));
}
void MainWindow::Play_Folder_007()
{
    sendControl(numberControl(ControlKind::Folder, 7));
}
void MainWindow::Play_Folder_008()
{
    sendControl(numberControl(ControlKind::Folder, 8));
}
void MainWindow::Play_Folder_009()
{
    sendControl(numberControl(ControlKind::Folder, 9));
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
    controls.showVolumeValue();
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
