# Switching the receive mode leaves the timeline in the mode it was rendered in.
# file: receive/receiveddisplay.cpp
s/{m_ui->radioButton_Data_ASCII, m_ui->radioButton_Data_Hex, m_ui->radioButton_Data_Dec,/{m_ui->radioButton_Data_ASCII,/
