#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "recording/sessionlines.h"
#include "transmission/controlframe.h"
#include "transmission/sentbytes.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QSerialPort>
#include <QTcpSocket>

bool sentBytesInHex = true;

void MainWindow::sendCommand(quint8 code, ByteList data, const QString &name)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (!model || (!anyLinkOpen() && !model->isOnDemand() && !waitingForDevice))
        return;
    const quint8 idByte =
        idByteFor(ui->comboBox_ID->currentText(), ui->comboBox_ID->currentIndex() >= 0);
    const QByteArray frame = assembleFrame(model->protocol, idByte, code, data);
    // A link waiting for its device takes nothing: the frame is shown as not sent.
    QIODevice *link = waitingForDevice ? nullptr : writeFrame(frame);
    showBytesSent(idByte, code, data);
    trackFrame(link, frame, name);
}

// The link that took the whole frame, or none.
QIODevice *MainWindow::writeFrame(const QByteArray &frame)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    QIODevice *link = nullptr;
    if (serialPort->isOpen())
        link = serialPort;
    else if (tcpSocket->isOpen())
        link = tcpSocket;
    // The on-demand device closes its connection after each exchange, so a closed socket is
    // opened again; one still open carries the frame as it is (sent once, never twice).
    else if (model->isOnDemand() && connectTcpLink() && tcpSocket->isOpen())
        link = tcpSocket;
    const bool taken = link && link->write(frame) == frame.size();
    // The socket keeps the frame until it is connected; meanwhile the settings are frozen, as
    // for any open link, so that no second link can be opened beside it.
    if (link == tcpSocket && model->isOnDemand())
        onSocketConnected();
    return taken ? link : nullptr;
}

void MainWindow::showBytesSent(quint8 idByte, quint8 code, const ByteList &data)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    ui->label_Bytes_Sended->setText(
        frameText(model->protocol, idByte, code, data, ui->radioButton_Sent_Dec->isChecked()));
}

// A frame is out once the bytes queued before and with it have left its link. One handed to
// an open link is recorded at once, so that it comes before any reply; one waiting for its
// connection once it is out.
void MainWindow::trackFrame(QIODevice *link, const QByteArray &frame, const QString &name)
{
    for (FrameInFlight &earlier : framesInFlight)
        earlier.shown = false;
    if (!link) {
        recordFrame(frame, name, false);
        showSendState(SendState::NotSent);
        return;
    }
    const bool recordedNow = linkUp();
    if (recordedNow)
        recordFrame(frame, name, true);
    framesInFlight.append({link, link->bytesToWrite(), frame, name, !recordedNow, true, true});
    showSendState(SendState::Waiting);
}

void MainWindow::onLinkBytesWritten(QIODevice *link, qint64 bytes)
{
    for (FrameInFlight &frame : framesInFlight) {
        if (frame.link == link)
            frame.bytesLeft -= bytes;
    }
    while (!framesInFlight.isEmpty() && framesInFlight.first().bytesLeft <= 0) {
        const FrameInFlight sent = framesInFlight.takeFirst();
        if (sent.toRecord && sent.toRecordWhenOut)
            recordFrame(sent.bytes, sent.name, true);
        if (sent.shown)
            showSendState(SendState::Sent);
    }
}

// Run once the links are closed: what had not left by then never will.
void MainWindow::settleSentFrame()
{
    for (const FrameInFlight &frame : qAsConst(framesInFlight)) {
        if (frame.toRecord)
            recordFrame(frame.bytes, frame.name, false);
        if (frame.shown)
            showSendState(SendState::NotSent);
    }
    framesInFlight.clear();
}

void MainWindow::showSendState(SendState state)
{
    QFont font = ui->label_Bytes_Sended->font();
    font.setStrikeOut(state == SendState::NotSent);
    ui->label_Bytes_Sended->setFont(font);

    QLabel *label = ui->label_Sent_State;
    const bool connecting = state == SendState::Waiting && !framesInFlight.isEmpty() &&
                            framesInFlight.last().shown &&
                            framesInFlight.last().link == tcpSocket &&
                            tcpSocket->state() != QAbstractSocket::ConnectedState;
    if (state == SendState::NotSent) {
        label->setText(tr("Not sent"));
        label->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    } else if (connecting) {
        label->setText(tr("Waiting for the connection..."));
        label->setStyleSheet(QString());
    }
    label->setVisible(state == SendState::NotSent || connecting);
}

// Every command control ends here: the frame comes from what the control holds, for the model
// chosen now.
void MainWindow::sendControl(const Control &control)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (const auto frame = model ? frameFor(*model, control) : std::nullopt)
        sendCommand(frame->code, frame->data, controlName(*model, control));
}

void MainWindow::on_radioButton_Sent_Hex_clicked()
{
    if (sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), false));
    sentBytesInHex = true;
}

void MainWindow::on_radioButton_Sent_Dec_clicked()
{
    if (!sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), true));
    sentBytesInHex = false;
}
