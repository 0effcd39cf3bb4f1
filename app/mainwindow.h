#pragma once

#include "app/consoleenvironment.h"
#include "modelselection/modelcontrols.h"

#include <QAbstractSocket>
#include <QMainWindow>

#include <memory>

class DeviceLink;
class ReceivedDisplay;
class PlayersMenu;
class SequenceMenu;
struct SavedPlayer;
class SessionRecording;
struct Control;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    explicit MainWindow(ConsoleEnvironment environment, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The meta-object method order of these slots is part of the window's contract.
private slots:
    void on_action_Exit_triggered();
    void on_action_French_triggered();
    void on_action_English_triggered();
    void on_action_Default_triggered();
    void on_action_Tessik_Home_Page_triggered();
    void on_action_Contact_Technical_Support_triggered();
    void on_action_About_triggered();
    void on_comboBox_Player_activated(int index);
    void on_pushButton_Connect_clicked();
    void on_pushButton_Disconnect_clicked();
    void on_radioButton_Sent_Hex_clicked();
    void on_radioButton_Sent_Dec_clicked();
    void on_pushButton_Folder_clicked();
    void on_pushButton_Change_ID_clicked();
    void on_pushButton_Previous_Folder_clicked();
    void on_pushButton_Previous_File_clicked();
    void on_pushButton_Play_clicked();
    void on_pushButton_Stop_clicked();
    void on_pushButton_Pause_clicked();
    void on_pushButton_Next_Folder_clicked();
    void on_pushButton_Next_File_clicked();
    void on_pushButton_Volume_Less_clicked();
    void on_pushButton_Volume_More_clicked();
    void on_horizontalSlider_Volume_valueChanged(int value);
    void on_pushButton_Request_clicked();
    void update_Serial_Read_Data();
    void on_pushButton_Clear_clicked();
    void update_TCP_Read_Data();
    void onSocketConnected();
    void onSocketDisconnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void Play_Folder_000();
    void Play_Folder_001();
    void Play_Folder_002();
    void Play_Folder_003();
    void Play_Folder_004();
    void Play_Folder_005();
    void Play_Folder_006();
    void Play_Folder_007();
    void Play_Folder_008();
    void Play_Folder_009();
    void Increase_Volume();
    void Decrease_Volume();
    void on_pushButton_Standby_Wakeup_clicked();
    void on_pushButton_Volume_Mute_Unmute_clicked();
    void on_pushButton_Other_Command_clicked();
    void on_pushButton_Relay_Command_clicked();
    void on_comboBox_Source_Of_Playback_activated(int index);
    void on_pushButton_Launch_Playback_clicked();

private:
    // app/
    void applyLanguage();
    const PlayerModel *selectedModel() const;

    // connection/
    void applyPlayerModel(int index);
    void connectLinkSignals();
    void autoConnect();
    void explainLinkButtons();

    // transmission/
    void sendControl(const Control &control);
    void showSendState();
    void describeSentBytes();

    // players/
    SavedPlayer currentPlayer() const;
    void choosePlayer(const SavedPlayer &player);
    // The model, then its link and ID as named in its lists; what is not given stays.
    void showPlayer(const QString &model, const QString &port, const QString &baudRate,
                    const std::array<std::optional<int>, 4> &address, const QString &id);

    // config/
    void loadConfiguration(const QString &path);
    void saveConfiguration(const QString &path);

    // help/
    void createShortcuts();

    std::unique_ptr<Ui::MainWindow> ui;
    const ConsoleEnvironment environment;
    DeviceLink *link = nullptr;
    ModelControls controls;
    SessionRecording *recording = nullptr;
    ReceivedDisplay *display = nullptr;
    SequenceMenu *sequences = nullptr;
    PlayersMenu *players = nullptr;
    // While a link error box is open, a further failure only closes the link.
    bool linkErrorBoxOpen = false;
    // True while label_Bytes_Sended shows hexadecimal: the base of the text in the label now,
    // which the base radio buttons convert from.
    bool sentBytesInHex = true;
    // Empty until the data directory is known: the file beside the executable then.
    QString configFilePath;
};
