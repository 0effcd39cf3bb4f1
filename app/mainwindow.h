#pragma once

#include <QAbstractSocket>
#include <QMainWindow>
#include <QSerialPort>
#include <QVector>

#include <memory>

class QIODevice;
class QLabel;
class QTimer;
class SessionRecorder;
class SerialPortList;
struct Control;
struct PlayerCommand;
struct PlayerModel;
struct ReceiveDecoderState;
using ByteList = QVector<quint8>;
enum class SendState;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
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
    void setDefaultDisplayState();
    void uncheckLanguageActions();
    void applyLanguage();

    // catalogue/
    void buildPlayerCatalogue();

    // connection/
    void applyPlayerModel(int index);
    void hideModelPanels();
    void clearModelLists();
    void showLinkSettings(const PlayerModel &model);
    void showTcpPort(const PlayerModel &model);
    void showPlayerIds(const PlayerModel &model);
    void showCommandPanel(const PlayerModel &model, const PlayerCommand &command,
                          int volumeProtocol);
    QWidget *playbackButton(int category) const;
    void connectLinkSignals();
    bool openSerialLink(const QString &portName, bool reportFailure);
    bool openSerialPort(int baud, const QString &portName, bool reportFailure);
    void showSerialError(const QString &message);
    void closeSerialPort();
    void onSerialPortError(QSerialPort::SerialPortError error);
    bool connectTcpLink();
    void connectSocket(const QString &host, quint16 port);
    void showConnectingState();
    void setSendersEnabled(bool enabled);
    void onConnectTimeout();
    void disconnectLinks();
    void closeSocket();
    void endLinkWithError(const QString &title, const QString &message);
    void autoConnect();
    bool linkUp() const;
    bool autoConnectionApplies() const;
    void waitForDevice();
    void stopWaitingForDevice();
    void reopenLostLink();

    // transmission/
    void sendCommand(quint8 code, ByteList data, const QString &name);
    QIODevice *writeFrame(const QByteArray &frame);
    void showBytesSent(quint8 idByte, quint8 code, const ByteList &data);
    void trackFrame(QIODevice *link, const QByteArray &frame, const QString &name);
    void onLinkBytesWritten(QIODevice *link, qint64 bytes);
    void settleSentFrame();
    void showSendState(SendState state);
    void sendControl(const Control &control);
    void sendButton(int category);
    void playFolder(int folder);
    void showVolumeValue();
    void updateSourceOfPlayback(int index);

    // receive/
    void showReceived(QIODevice *link, ReceiveDecoderState &decoder);

    // config/
    void locateConfigurationFile();
    void loadConfiguration(const QString &path);
    void saveConfiguration(const QString &path);

    // help/
    void createShortcuts();

    // recording/
    void createRecorder();
    void startRecording();
    void stopRecording();
    void showRecordingState();
    void onRecordingFailed(const QString &reason);
    void saveReceivedData();
    void record(const QByteArray &line);
    void recordFrame(const QByteArray &frame, const QString &name, bool sent);
    void recordReceived(const QByteArray &chunk);
    void recordLinkEvent(const QString &event);
    void recordLinkState();
    void recordModel();
    QString linkDescription() const;

    std::unique_ptr<Ui::MainWindow> ui;
    // Gives up on a connection that the device never answers.
    QTimer *connectTimer = nullptr;
    // While a link error box is open, a further failure only closes the link.
    bool linkErrorBoxOpen = false;
    SerialPortList *portList = nullptr;
    // A lost link waiting for its device to come back: no link is open, the settings stay
    // frozen, and the next try comes after reconnectTimer, or as soon as serial devices change.
    bool waitingForDevice = false;
    int reconnectAttempt = 0;
    QTimer *reconnectTimer = nullptr;
    // The stable name of the adapter that the serial link opened, which it follows when the
    // adapter comes back under another name.
    QString portStableName;
    SessionRecorder *recorder = nullptr;
    QLabel *recordingLabel = nullptr;
    // Frames on their way out, oldest first, with how many bytes queued on their link must still
    // leave before each is out; a link that closes first did not send them.
    struct FrameInFlight
    {
        QIODevice *link = nullptr;
        qint64 bytesLeft = 0;
        QByteArray bytes;
        QString name;
        // Its "sent" line is still to be written when it is out.
        bool toRecordWhenOut = false;
        // It belongs to the recording that runs (or to none).
        bool toRecord = true;
        // It is the frame that label_Bytes_Sended shows.
        bool shown = true;
    };
    QVector<FrameInFlight> framesInFlight;
    // The open link as the recording last described it; empty when none was open.
    QString recordedLink;
    // Empty until the data directory is known: the file beside the executable then.
    QString configFilePath;
};
