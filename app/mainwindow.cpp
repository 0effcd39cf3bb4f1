#include "app/mainwindow.h"
#include "config/configurationfile.h"
#include "connection/addressentry.h"
#include "connection/serialportlist.h"
#include "link/devicelink.h"
#include "players/playersfile.h"
#include "players/playersmenu.h"
#include "receive/receiveddisplay.h"
#include "recording/sessionrecording.h"
#include "sequence/sequencemenu.h"
#include "startup/afterfirstpaint.h"
#include "transmission/buttonsactfirst.h"
#include "ui_mainwindow.h"

#include <QIcon>

// The images are compiled into a static library, so nothing would pull their
// registration in: do it here, for the whole life of the process. (The resource
// functions must be declared at global scope, hence no anonymous namespace.)
static void registerImages()
{
    Q_INIT_RESOURCE(images);
}

static void unregisterImages()
{
    Q_CLEANUP_RESOURCE(images);
}

static const struct ResourceRegistration
{
    ResourceRegistration() { registerImages(); }
    ~ResourceRegistration() { unregisterImages(); }
} resourceRegistration;

MainWindow::MainWindow(QWidget *parent)
    : MainWindow(systemEnvironment(), parent)
{}

MainWindow::MainWindow(ConsoleEnvironment environment, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , environment(std::move(environment))
    , link(new DeviceLink(this))
    , controls(*ui)
{
    ui->setupUi(this);
    controls.listModels(this->environment.catalogue);
    auto *ports = new SerialPortList(ui->comboBox_Port, this->environment.serialDirectories, this);
    connect(ports, &SerialPortList::devicesChanged, link, &DeviceLink::retry);
    ui->action_Default->setChecked(true);
    ui->radioButton_Sent_Hex->setChecked(true);
    ui->radioButton_Data_ASCII->setChecked(true);
    ui->label_Bytes_Sended->setText(QString());
    ui->label_Sent_State->hide();
    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                   QCoreApplication::applicationVersion());
    // Decoding the icon in all its sizes and handing them to the window system take several
    // milliseconds of start-up; no one sees the icon come a moment after the window.
    afterFirstPaint(this, this,
                    [this] { setWindowIcon(QIcon(QStringLiteral(":/Images/AppIcon.ico"))); });
    controls.hideAll();
    applyPlayerModel(0);
    sequences = new SequenceMenu(
        this, ui.get(), link, this->environment, [this] { return selectedModel(); },
        [this](const Control &control) { sendControl(control); });
    // No data directory at all: the empty path stands for the file beside the executable.
    configFilePath = userConfigurationPath();
    players = new PlayersMenu(
        this, ui.get(), this->environment, [this] { return currentPlayer(); },
        [this](const SavedPlayer &player) { choosePlayer(player); });
    players->load(playersPath(configurationPath(configFilePath)));
    loadConfiguration(configFilePath);
    // Connecting at once to a port that was not saved: the first listed, which is read now.
    if (ui->checkBox_Auto_connection->isChecked() && ui->comboBox_Port->currentText().isEmpty())
        ports->refresh();
    applyLanguage();
    onSocketConnected();
    // It follows the link from its first change on, before the window reacts to it.
    recording = new SessionRecording(this, ui.get(), link, this->environment,
                                     [this] { return selectedModel(); });
    display = new ReceivedDisplay(this, ui.get(), link, this->environment.sessionClock);
    connectLinkSignals();
    createShortcuts();
    new AddressEntry({ui->spinBox_IP_1, ui->spinBox_IP_2, ui->spinBox_IP_3, ui->spinBox_IP_4},
                     this);
    new ButtonsActFirst(this);
    autoConnect();
}

// The link closes with the window, after its widgets: nothing of it is shown any more.
MainWindow::~MainWindow()
{
    link->disconnect(this);
    saveConfiguration(configFilePath);
}

void MainWindow::on_action_Exit_triggered()
{
    close();
}

// Entry i of the player list is model i of the catalogue.
const PlayerModel *MainWindow::selectedModel() const
{
    const int index = ui->comboBox_Player->currentIndex();
    if (index < 0 || index >= environment.catalogue.size())
        return nullptr;
    return &environment.catalogue.at(index);
}
