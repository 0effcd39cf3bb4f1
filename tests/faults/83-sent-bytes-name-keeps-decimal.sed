# Switched back to hexadecimal, the sent bytes are still read out in decimal.
# file: transmission/mainwindow_transmission.cpp
/setText(convertFrameText(ui->label_Bytes_Sended->text(), false));/{n;d}
