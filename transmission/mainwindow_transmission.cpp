#include "app/mainwindow.h"
#include "link/devicelink.h"
#include "sequence/sequencemenu.h"
#include "transmission/controlframe.h"
#include "transmission/frames.h"
#include "ui_mainwindow.h"

#include <QLabel>

// Every command control ends here: the frame comes from what the control holds, for the model
// chosen now. A per-frame link that is closed connects where the settings say now.
void MainWindow::sendControl(const Control &control)
{
    const PlayerModel *model = selectedModel();
    const auto frame = model ? outgoingFrame(*model,
                                             idByteFor(ui->comboBox_ID->currentText(),
                                                       ui->comboBox_ID->currentIndex() >= 0),
                                             control)
                             : std::nullopt;
    if (!frame)
        return;
    if (link->state() == DeviceLink::State::Closed)
        link->setTarget(controls.linkTarget(*model));
    if (!link->send(frame->bytes, frame->name))
        return;
    sequences->pressed(control);
    ui->label_Bytes_Sended->setText(bytesText(frame->bytes, ui->radioButton_Sent_Dec->isChecked()));
    showSendState();
}

// What became of the frame that the label shows.
void MainWindow::showSendState()
{
    const SendState state = link->lastFrameState();
    QFont font = ui->label_Bytes_Sended->font();
    font.setStrikeOut(state == SendState::NotSent);
    ui->label_Bytes_Sended->setFont(font);

    QLabel *label = ui->label_Sent_State;
    const bool connecting =
        state == SendState::Waiting && link->state() == DeviceLink::State::Connecting;
    if (state == SendState::NotSent) {
        label->setText(tr("Not sent"));
        label->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    } else if (connecting) {
        label->setText(tr("Waiting for the connection..."));
        label->setStyleSheet(QString());
    }
    label->setVisible(state == SendState::NotSent || connecting);
    describeSentBytes();
}

// A label reaches a screen reader through its name alone.
void MainWindow::describeSentBytes()
{
    const QLabel *state = ui->label_Sent_State;
    ui->label_Bytes_Sended->setAccessibleName(sentBytesName(
        ui->label_Bytes_Sended->text(), state->isHidden() ? QString() : state->text()));
}

void MainWindow::on_radioButton_Sent_Hex_clicked()
{
    if (sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), false));
    describeSentBytes();
    sentBytesInHex = true;
}

void MainWindow::on_radioButton_Sent_Dec_clicked()
{
    if (!sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), true));
    describeSentBytes();
    sentBytesInHex = false;
}
