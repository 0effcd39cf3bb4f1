#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "config/configuration.h"
#include "config/configurationfile.h"
#include "config/preferences.h"
#include "sequence/sequencemenu.h"
#include "ui_mainwindow.h"

namespace {

bool selectEntry(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        list->setCurrentIndex(index);
    return index >= 0;
}

std::optional<QString> currentEntry(const QComboBox *list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentText();
}

} // namespace

void MainWindow::loadConfiguration(const QString &path)
{
    if (const auto content = readSmallFile(
            besideConfiguration(configurationPath(path), QStringLiteral(".preferences")))) {
        const Preferences preferences = parsePreferences(*content);
        ui->checkBox_Timeline->setChecked(preferences.timeline);
        sequences->setRecentFiles(preferences.recentSequences);
    }

    const ParsedConfiguration parsed = readConfigurationFile(configurationPath(path));
    if (!parsed.accepted)
        return;

    // Only checked here: the constructor applies the language once everything is loaded.
    setAllChecked({ui->action_Default, ui->action_English, ui->action_French}, false);
    QAction *language = ui->action_Default;
    if (parsed.language == ConfiguredLanguage::English)
        language = ui->action_English;
    else if (parsed.language == ConfiguredLanguage::French)
        language = ui->action_French;
    language->setChecked(true);

    showPlayer(parsed.model, parsed.port, parsed.baudRate, parsed.address, parsed.playerId);
    if (parsed.checkAutoConnection)
        ui->checkBox_Auto_connection->setChecked(true);

    if (parsed.sentBytes) {
        sentBytesInHex = *parsed.sentBytes == SentBytesDisplay::Hexadecimal;
        (sentBytesInHex ? ui->radioButton_Sent_Hex : ui->radioButton_Sent_Dec)->setChecked(true);
    }
    if (parsed.receivedData) {
        switch (*parsed.receivedData) {
        case ReceivedDataDisplay::Ascii:
            ui->radioButton_Data_ASCII->setChecked(true);
            break;
        case ReceivedDataDisplay::Hexadecimal:
            ui->radioButton_Data_Hex->setChecked(true);
            break;
        case ReceivedDataDisplay::Decimal:
            ui->radioButton_Data_Dec->setChecked(true);
            break;
        }
    }
}

void MainWindow::showPlayer(const QString &model, const QString &port, const QString &baudRate,
                            const std::array<std::optional<int>, 4> &address, const QString &id)
{
    // The model first, so that the baud-rate and ID lists below are those of the model.
    if (selectEntry(ui->comboBox_Player, model))
        applyPlayerModel(ui->comboBox_Player->currentIndex());
    // The port field takes any path: a port that is not plugged in keeps its name, rather
    // than becoming whichever port happens to be listed first.
    if (!port.isEmpty() && !namesNoEntry(port) && !selectEntry(ui->comboBox_Port, port))
        ui->comboBox_Port->setCurrentText(port);
    selectEntry(ui->comboBox_Baudrate, baudRate);
    QSpinBox *const boxes[] = {ui->spinBox_IP_1, ui->spinBox_IP_2, ui->spinBox_IP_3,
                               ui->spinBox_IP_4};
    for (int index = 0; index < 4; ++index) {
        if (address[std::size_t(index)])
            boxes[index]->setValue(*address[std::size_t(index)]);
    }
    selectEntry(ui->comboBox_ID, id);
}

void MainWindow::saveConfiguration(const QString &path)
{
    ConfigurationSettings settings;
    if (ui->action_French->isChecked())
        settings.language = ConfiguredLanguage::French;
    else if (ui->action_English->isChecked())
        settings.language = ConfiguredLanguage::English;
    settings.model = currentEntry(ui->comboBox_Player);
    // The port field also holds typed paths, which are not entries of the list.
    if (const QString port = ui->comboBox_Port->currentText(); !port.isEmpty())
        settings.port = port;
    settings.baudRate = currentEntry(ui->comboBox_Baudrate);
    settings.address = {ui->spinBox_IP_1->value(), ui->spinBox_IP_2->value(),
                        ui->spinBox_IP_3->value(), ui->spinBox_IP_4->value()};
    settings.autoConnection = ui->checkBox_Auto_connection->isChecked();
    settings.playerId = currentEntry(ui->comboBox_ID);

    if (ui->radioButton_Sent_Hex->isChecked())
        settings.sentBytes = SentBytesDisplay::Hexadecimal;
    else if (ui->radioButton_Sent_Dec->isChecked())
        settings.sentBytes = SentBytesDisplay::Decimal;

    if (ui->radioButton_Data_Dec->isChecked())
        settings.receivedData = ReceivedDataDisplay::Decimal;
    else if (ui->radioButton_Data_Hex->isChecked())
        settings.receivedData = ReceivedDataDisplay::Hexadecimal;
    else if (ui->radioButton_Data_ASCII->isChecked())
        settings.receivedData = ReceivedDataDisplay::Ascii;

    // A file that cannot be written stays as it was, and nobody is told: the window is gone.
    writeConfigurationFile(configurationPath(path),
                           formatConfiguration(settings, QCoreApplication::applicationName(),
                                               QCoreApplication::applicationVersion()));
    Preferences preferences;
    preferences.timeline = ui->checkBox_Timeline->isChecked();
    preferences.recentSequences = sequences->recentFiles();
    writeConfigurationFile(
        besideConfiguration(configurationPath(path), QStringLiteral(".preferences")),
        formatPreferences(preferences));
}
