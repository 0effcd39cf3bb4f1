#include "catalogue/playercatalogue.h"
#include "connection/linksettings.h"
#include "connection/serialports.h"
#include "link/serialsetup.h"
#include "modelselection/modelpanels.h"

#include <QMetaEnum>
#include <QSerialPort>
#include <QSet>
#include <QtTest>

// Rules that every model of the catalogue keeps, and the texts that name a link and its errors.
// The catalogue's bytes themselves are checked by tst_frames' examples.
class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void invariants();
    void serialErrorTexts();
    void hostText() { QCOMPARE(::hostText(10, 20, 30, 4), QString("10.20.30.4")); }
    // A lost device is tried again sooner at first, then every two seconds at most.
    void reconnectDelays()
    {
        QList<int> delays;
        for (int attempt = 0; attempt < 6; ++attempt)
            delays << reconnectDelayMs(attempt);
        QCOMPARE(delays, QList<int>({250, 500, 1000, 2000, 2000, 2000}));
    }
    // The port list keeps a typed port, once, whether the system lists it or not. A lost adapter
    // is opened again where its stable name points now; without one, at its port once it is back.
    void portNames()
    {
        QCOMPARE(
            portEntries({{"ttyUSB0", "/dev/ttyUSB0", "", "", ""}}, {}, {"ttyUSB0", "/dev/pts/3"}),
            QVector<PortEntry>({{"ttyUSB0", ""}, {"/dev/pts/3", ""}}));
        const QVector<StableName> names{{"/dev/serial/by-id/A", "/dev/ttyUSB1"}};
        QCOMPARE(reconnectPort("ttyUSB0", "/dev/serial/by-id/A", names, false), QString("ttyUSB1"));
        QCOMPARE(reconnectPort("ttyUSB0", "", names, false), QString());
    }
};

void tst_Catalogue::invariants()
{
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    QCOMPARE(catalogue.size(), 15);
    for (const PlayerModel &model : catalogue) {
        QSet<QPair<int, QString>> shown;
        for (const PlayerCommand &command : model.commands) {
            const QByteArray what = (model.name + ": " + command.label).toUtf8();
            // Lists show their commands by label, and a button sends the one of its category: a
            // repeated one could never be chosen.
            const CommandPanel panel = panelOfCategory(command.category);
            const bool listed = panel == CommandPanel::Request ||
                                panel == CommandPanel::OtherCommand ||
                                panel == CommandPanel::PlaybackSource;
            const QPair<int, QString> entry{listed ? -int(panel) : command.category,
                                            listed ? command.label : QString()};
            QVERIFY2(panel == CommandPanel::Relay || !shown.contains(entry), what);
            shown.insert(entry);
            QVERIFY2(!command.dataMin.isEmpty(), what);
            QCOMPARE(command.dataMax.size(), command.dataMin.size());
            // Addressed frames start at the ID byte, the only byte with its top bit set.
            const int banks = command.category == CommandCategory::Folder ? model.folderBanks : 1;
            QVERIFY2(model.protocol != 0 || command.code + 16 * (banks - 1) < 0x80, what);
            for (int i = 0; i < command.dataMin.size(); ++i) {
                QVERIFY2(command.dataMin[i] <= command.dataMax[i], what);
                QVERIFY2(model.protocol != 0 || command.dataMax[i] < 0x80, what);
            }
        }
        // A serial model offers only rates that the link accepts, its default among them.
        QCOMPARE(model.baudRates.isEmpty(), model.isTcp());
        QCOMPARE(model.tcpPort != 0, model.isTcp());
        QVERIFY(model.isTcp() || model.baudRates.contains(model.defaultBaudRate));
        for (qint32 rate : model.baudRates)
            QCOMPARE(acceptedBaudRate(rate), rate);
    }
}

// Each text spells out the name of its error value: "DeviceNotFoundError", "Device not found
// error.". A value missed or moved in the table shifts every text after it.
void tst_Catalogue::serialErrorTexts()
{
    const QMetaEnum errors = QMetaEnum::fromType<QSerialPort::SerialPortError>();
    for (int i = 0; i < errors.keyCount(); ++i) {
        QString words;
        for (const QChar c : QString::fromLatin1(errors.key(i)))
            words += c.isUpper() && !words.isEmpty() ? QString(' ') + c.toLower() : QString(c);
        const auto error = QSerialPort::SerialPortError(errors.value(i));
        QCOMPARE(QString::fromLatin1(serialErrorSource(serialErrorIndex(error))), words + '.');
    }
    // Past the table, the console keeps its long-standing spelling.
    const auto past = QSerialPort::SerialPortError(errors.keyCount());
    QCOMPARE(QString::fromLatin1(serialErrorSource(serialErrorIndex(past))),
             QString("Unkown error."));
}

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
