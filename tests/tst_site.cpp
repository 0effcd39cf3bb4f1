#include "config/configurationfile.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "players/playersdialog.h"
#include "players/sitestatuswindow.h"
#include "sendersupport.h"
#include "stalledlistener.h"
#include "testtable.h"

#include <QAction>
#include <QCheckBox>
#include <QSocketNotifier>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>

// A site's players, from the window and from zoxen-send, against players on loopback addresses
// (answering, refusing, never completing the handshake, answering late, silent) and serial
// players sharing one pseudo-terminal. The models' own ports: the addresses are this test's.
class tst_Site : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // Each window starts from no settings: one test's saved link is not the next one's.
    void init() { QFile::remove(userConfigurationPath()); }
    void statesAtAGlance();
    void commandToSelected_data();
    void commandToSelected();
    void savedAndChosen();
    void hostsFileRefreshed();
    void senderOnSavedPlayers_data();
    void senderOnSavedPlayers();

private:
    QTemporaryDir m_dataHome;
};

namespace {

const QString showcaster = QStringLiteral("Showcaster - SC900 (TCP/IP)");
constexpr int answerWaitMs = 300;

QString address(int player)
{
    return QStringLiteral("127.0.96.%1").arg(player);
}

// A player at 127.0.96.N on its model's port: answers each read with `answer`, after `delayMs`.
std::unique_ptr<RecordingServer> loopbackPlayer(int number, const QByteArray &answer,
                                                int delayMs = 0, quint16 port = 65079)
{
    auto player = std::make_unique<RecordingServer>();
    player->close();
    if (!player->listen(QHostAddress(address(number)), port))
        return nullptr;
    RecordingServer *server = player.get();
    QObject::connect(server, &QTcpServer::newConnection, server, [server, answer, delayMs] {
        QTcpSocket *peer = server->peer();
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer, answer, delayMs] {
            if (!answer.isEmpty())
                QTimer::singleShot(delayMs, peer, [peer, answer] { peer->write(answer); });
        });
    });
    return player;
}

// Serial players sharing one line: each addressed frame answered with its player's ID.
struct SharedLine
{
    PseudoTerminal terminal;
    QSocketNotifier notifier{terminal.masterDescriptor(), QSocketNotifier::Read};
    QByteArray received;
    SharedLine()
    {
        QObject::connect(&notifier, &QSocketNotifier::activated, [this] {
            const QByteArray bytes = terminal.readAvailable();
            received += bytes;
            for (int at = 0; at + 2 < bytes.size(); at += 3)
                terminal.write("ID " + QByteArray::number(quint8(bytes.at(at)) - 0x80) + " OK");
        });
    }
};

// The window's four address boxes set to 127.0.96.N.
void setAddress(QWidget &window, int player)
{
    const int numbers[] = {127, 0, 96, player};
    for (int index = 0; index < 4; ++index)
        window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(index + 1))
            ->setValue(numbers[index]);
}

QString cell(QTableWidget *table, int row, int column)
{
    return table->item(row, column) ? table->item(row, column)->text() : QString();
}

QString playersFile()
{
    return playersPath(userConfigurationPath());
}

} // namespace

void tst_Site::initTestCase()
{
    setConsoleIdentity();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
}

// Every state a check tells, with the main window's own link open beside it and untouched; two
// serial players on one port checked one after the other; a model without requests answers by
// its link opening.
void tst_Site::statesAtAGlance()
{
    ModalBoxCatcher boxes;
    const auto answering = loopbackPlayer(1, "PLAYER STATUS: PLAYING\r\nFOLDER 001\r\n");
    const auto late = loopbackPlayer(4, "PLAYER STATUS: LATE\r\n", answerWaitMs + 300);
    const StalledListener stalled(QHostAddress(address(3)), 65079);
    SharedLine line;
    QVERIFY(answering && late && line.terminal.isValid());
    const QString pts = line.terminal.slaveName();
    QVERIFY(writeFile(playersFile(),
                      QStringLiteral("Answers\t%1\t%2\nRefuses\t%1\t%3\nStalled\t%1\t%4\n"
                                     "Late\t%1\t%5\nOpens\tTimetune\t%6\n"
                                     "Serial 1\tShowcaster - SC900 (Serial)\t%6\tid=1\n"
                                     "Serial 2\tShowcaster - SC900 (Serial)\t%6\tid=2\n"
                                     "Absent\tTimetune\t/dev/zoxen-absent\n")
                          .arg(showcaster, address(1), address(2), address(3), address(4), pts)
                          .toUtf8()));
    const auto mainPlayer = loopbackPlayer(6, QByteArray());
    QVERIFY(mainPlayer);
    ConsoleEnvironment environment = testEnvironment();
    environment.checkAnswerWaitMs = answerWaitMs;
    environment.checkConnectTimeoutMs = 500;
    MainWindow window(environment);
    chooseModel(window, modelIndex(showcaster));
    setAddress(window, 6);
    QTest::mouseClick(window.findChild<QPushButton *>("pushButton_Connect"), Qt::LeftButton);
    QTRY_COMPARE(linkOf(window).state(), DeviceLink::State::Open);

    window.findChild<QAction *>("action_Site_Status")->trigger();
    auto *site = window.findChild<SiteStatusWindow *>();
    QVERIFY(site);
    QSignalSpy checked(site, &SiteStatusWindow::finished);
    QVERIFY(checked.wait(5000));
    auto *table = site->findChild<QTableWidget *>();
    const QStringList states{"answers", "refused", "no answer", "no answer",
                             "answers", "answers", "answers",   "not present"};
    const QStringList answers{
        "PLAYER STATUS: PLAYING", "", "", "", "link opens", "ID 1 OK", "ID 2 OK", ""};
    for (int row = 0; row < states.size(); ++row) {
        QCOMPARE(cell(table, row, 3), states.at(row));
        QCOMPARE(cell(table, row, 5), answers.at(row));
        QCOMPARE(cell(table, row, 4).isEmpty(), states.at(row) != "answers");
    }
    QCOMPARE(line.received, QByteArray("\x81\x04\x01\x82\x04\x01"));
    QCOMPARE(mainPlayer->connections(), 1);
    QCOMPARE(mainPlayer->received(), QByteArray());
    QCOMPARE(linkOf(window).state(), DeviceLink::State::Open);
    QCOMPARE(boxes.count(), 0);
}

void tst_Site::commandToSelected_data()
{
    QTest::addColumn<QString>("secondModel");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sequence");
    // What each of the four players got (the second is never selected), as commands.
    QTest::addColumn<QStringList>("received");
    QTest::addColumn<QStringList>("results");
    const QString answered = "sent; answered: OK";
    QTest::newRow("command") << showcaster << "Play"
                             << "" << QStringList{"Play", "", "Play", "Play"}
                             << QStringList{answered, "", answered, answered};
    QTest::newRow("sequence") << showcaster << ""
                              << "Play\nwait 50 ms\nStop"
                              << QStringList{"Play¶Stop", "", "Play¶Stop", "Play¶Stop"}
                              << QStringList{"done", "", "done", "done"};
    QTest::newRow("a model without the command")
        << "Tunebox (NX) (TCP/IP)"
        << "Standby"
        << "" << QStringList{"Standby", "", "", "Standby"}
        << QStringList{answered, "",
                       "not sent: \"Standby\" is not a command of Tunebox (NX) (TCP/IP)", answered};
}

// The command reaches exactly the rows selected, each with its own result.
void tst_Site::commandToSelected()
{
    QFETCH(QString, secondModel);
    QFETCH(QString, command);
    QFETCH(QString, sequence);
    QFETCH(QStringList, received);
    QFETCH(QStringList, results);
    ModalBoxCatcher boxes;
    std::vector<std::unique_ptr<RecordingServer>> players;
    QVector<SavedPlayer> saved;
    for (int number = 1; number <= 4; ++number) {
        const QString model = number == 3 ? secondModel : showcaster;
        players.push_back(loopbackPlayer(number, "OK", 0, model == showcaster ? 65079 : 1234));
        QVERIFY(players.back());
        saved.append({QStringLiteral("P%1").arg(number), model, address(number), {}, {}});
    }
    QTemporaryDir directory;
    const QString path = directory.filePath("site.seq");
    QVERIFY(writeFile(path, sequence.toUtf8()));
    ConsoleEnvironment environment = testEnvironment();
    environment.checkAnswerWaitMs = answerWaitMs;
    environment.answerTimeoutMs = answerWaitMs;
    SiteStatusWindow site(saved, environment, nullptr);
    auto *table = site.findChild<QTableWidget *>();
    for (const int row : {0, 2, 3})
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QSignalSpy done(&site, &SiteStatusWindow::finished);
    if (command.isEmpty())
        site.runSequence(path);
    else
        site.sendCommand(command);
    QVERIFY(done.wait(5000));
    for (int row = 0; row < 4; ++row) {
        const QString model = row == 2 ? secondModel : showcaster;
        QCOMPARE(players[std::size_t(row)]->received(),
                 framesOf(model, received.at(row).split(u'¶', Qt::SkipEmptyParts)));
        // A sequence's last answer may come after its last step.
        const QString result = cell(table, row, 6);
        QVERIFY2(results.at(row).isEmpty() ? result.isEmpty() : result.startsWith(results.at(row)),
                 qPrintable(result));
    }
    QCOMPARE(boxes.count(), 0);
}

// The window's player saved by name, renamed in the list, then chosen again from another model:
// the window takes its model, address and ID and connects, Auto-connection being on.
void tst_Site::savedAndChosen()
{
    ModalBoxCatcher boxes;
    QFile::remove(playersFile());
    const auto player = loopbackPlayer(5, QByteArray(), 0, 65079);
    QVERIFY(player);
    QStringList names{"Lobby", "Hall"};
    ConsoleEnvironment environment = testEnvironment();
    environment.askText = [&names](QWidget *, const QString &, const QString &, const QString &) {
        return names.takeFirst();
    };
    MainWindow window(environment);
    chooseModel(window, modelIndex(showcaster));
    setAddress(window, 5);
    window.findChild<QAction *>("action_Save_As_Player")->trigger();
    QCOMPARE(readSmallFile(playersFile()).value_or(QByteArray()).split('\n').value(1),
             QByteArray("Lobby\tShowcaster - SC900 (TCP/IP)\t127.0.96.5"));

    chooseModel(window, modelIndex("Timetune"));
    window.findChild<QCheckBox *>("checkBox_Auto_connection")->setChecked(true);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<PlayersDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
        for (const char *text : {"&Rename...", "&Choose"}) {
            const auto button = std::find_if(buttons.cbegin(), buttons.cend(),
                                             [text](QPushButton *b) { return b->text() == text; });
            QVERIFY(button != buttons.cend());
            (*button)->click();
        }
    });
    window.findChild<QAction *>("action_Players")->trigger();
    QVERIFY(readSmallFile(playersFile()).value_or(QByteArray()).contains("\nHall\tShowcaster"));
    QCOMPARE(window.findChild<QComboBox *>("comboBox_Player")->currentText(), showcaster);
    QCOMPARE(window.findChild<QSpinBox *>("spinBox_IP_3")->value(), 96);
    QCOMPARE(window.findChild<QSpinBox *>("spinBox_IP_4")->value(), 5);
    QTRY_COMPARE(linkOf(window).state(), DeviceLink::State::Open);
    QTRY_COMPARE(player->connections(), 1);
    QCOMPARE(boxes.count(), 0);
}

// A hosts file's addresses for the window's model, checked again every two seconds when chosen.
void tst_Site::hostsFileRefreshed()
{
    ModalBoxCatcher boxes;
    const auto answering = loopbackPlayer(1, "PLAYER STATUS: PLAYING\r\n");
    QVERIFY(answering);
    QTemporaryDir directory;
    QVERIFY(writeFile(directory.filePath("hosts.txt"), "# lobby\n127.0.96.01\n127.0.96.2\n"));
    ConsoleEnvironment environment = testEnvironment();
    environment.chooseOpenPath = [&directory](QWidget *, const QString &, const QString &) {
        return directory.filePath("hosts.txt");
    };
    MainWindow window(environment);
    chooseModel(window, modelIndex(showcaster));
    window.findChild<QAction *>("action_Site_Status_From_Hosts_File")->trigger();
    auto *site = window.findChild<SiteStatusWindow *>();
    QVERIFY(site);
    QSignalSpy checked(site, &SiteStatusWindow::finished);
    QVERIFY(checked.wait(5000));
    auto *table = site->findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(cell(table, 0, 0) + ' ' + cell(table, 0, 3), "127.0.96.1 answers");
    QCOMPARE(cell(table, 1, 0) + ' ' + cell(table, 1, 3), "127.0.96.2 refused");
    site->findChild<QSpinBox *>()->setValue(2);
    site->findChild<QCheckBox *>()->setChecked(true);
    QVERIFY(checked.wait(5000));
    QCOMPARE(answering->connections(), 2);
    QCOMPARE(boxes.count(), 0);
}

void tst_Site::senderOnSavedPlayers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    // Printed lines; "*" stands for any text.
    QTest::addColumn<QStringList>("lines");
    // What players 1 (answering) and 3 (silent) got, as commands; player 2 refuses.
    QTest::addColumn<QStringList>("received");
    QTest::newRow("every saved player checked")
        << QStringList{"--all-players", "--check", "--wait", "300"} << 1
        << QStringList{"P1\tanswers\t* ms\tPLAYER STATUS: PLAYING", "P2\trefused\t-\t",
                       "P3\tno answer\t-\t"}
        << QStringList{"Player Status", "Player Status"};
    QTest::newRow("the answering one checked")
        << QStringList{"--player", "P1", "--check"} << 0
        << QStringList{"P1\tanswers\t* ms\tPLAYER STATUS: PLAYING"}
        << QStringList{"Player Status", ""};
    QTest::newRow("a command to two, from a file given")
        << QStringList{"--players", "FILE",   "--player", "P3",  "--player",
                       "P1",        "--wait", "300",      "Play"}
        << 0 << QStringList{"80 02 01", "P3: sent", "P1: sent"} << QStringList{"Play", "Play"};
    QTest::newRow("a name the file does not hold")
        << QStringList{"--player", "P4", "Play"} << 2 << QStringList() << QStringList{"", ""};
}

// zoxen-send on the saved players: the console's list by default, or a file given.
void tst_Site::senderOnSavedPlayers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, received);
    const auto answering = loopbackPlayer(1, "PLAYER STATUS: PLAYING\r\n");
    const auto silent = loopbackPlayer(3, QByteArray());
    QVERIFY(answering && silent);
    const QByteArray players = QStringLiteral("P1\t%1\t%2\nP2\t%1\t%3\nP3\t%1\t%4\n")
                                   .arg(showcaster, address(1), address(2), address(3))
                                   .toUtf8();
    QVERIFY(writeFile(playersFile(), players));
    QTemporaryDir directory;
    QVERIFY(writeFile(directory.filePath("site.players"), players));
    arguments.replaceInStrings("FILE", directory.filePath("site.players"));
    const auto [exitCode, printed] = send(arguments);
    QCOMPARE(exitCode, status);
    for (const QString &line : lines) {
        const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(line));
        QVERIFY2(printed.indexOf(pattern) >= 0, qPrintable(printed.join('\n')));
    }
    QCOMPARE(answering->received(),
             framesOf(showcaster, received.at(0).split(u'¶', Qt::SkipEmptyParts)));
    QCOMPARE(silent->received(),
             framesOf(showcaster, received.at(1).split(u'¶', Qt::SkipEmptyParts)));
}

QTEST_MAIN(tst_Site)
#include "tst_site.moc"
