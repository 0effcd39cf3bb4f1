#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "transmission/clock.h"
#include "transmission/frames.h"
#include "ui_mainwindow.h"

// A "Volume" request and the "Volume" of the slider share their label: the request
// lookup also asks for the request category.
void MainWindow::on_pushButton_Request_clicked()
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    const PlayerCommand *request =
        model ? model->commandByLabel(ui->comboBox_Request->currentText(), CommandCategory::Request)
              : nullptr;
    if (!request)
        return;
    const ByteList data = requestData(*model, *request);
    if (!data.isEmpty())
        sendCommand(request->code, data);
}

void MainWindow::on_pushButton_Other_Command_clicked()
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    const PlayerCommand *command =
        model ? model->commandByLabel(ui->comboBox_Other_Command->currentText()) : nullptr;
    if (!command)
        return;
    const ByteList data = otherCommandData(*command, readClock());
    if (!data.isEmpty())
        sendCommand(command->code, data);
}
