#include "config/configurationfile.h"
#include "testtable.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString dataDirectory = QStringLiteral(ZOXEN_TEST_DATA "/config/");

// A reading in one line: "damaged" when the file is not accepted, else the language, model,
// port, baud rate, address ("-" for a byte not read), auto-connection, player ID and the codes of
// the two display modes ("-" for none).
QString reading(const ParsedConfiguration &parsed)
{
    QStringList address;
    for (const std::optional<int> &byte : parsed.address)
        address << (byte ? QString::number(*byte) : QStringLiteral("-"));
    const auto code = [](auto m) {
        return m ? QString::number(int(*m)) : QString("-");
    };
    const QString languages[] = {"(default)", "English", "French"};
    return !parsed.accepted ? QStringLiteral("damaged")
                            : QString("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                                  .arg(languages[int(parsed.language)], parsed.model, parsed.port,
                                       parsed.baudRate, address.join('.'),
                                       parsed.checkAutoConnection ? "auto" : "-", parsed.playerId,
                                       code(parsed.sentBytes), code(parsed.receivedData));
}

// The reading of full.cfg, with some fields (counted from 0) changed.
QString full(const QMap<int, QString> &changes = {})
{
    QStringList fields =
        QString("English|Timetune|/dev/ttyUSB0|19200|192.168.1.20|auto|5|3|2").split('|');
    for (auto change = changes.begin(); change != changes.end(); ++change)
        fields[change.key()] = change.value();
    return fields.join('|');
}

} // namespace

class tst_Configuration : public QObject
{
    Q_OBJECT

private slots:
    void readFile_data();
    void readFile();
    void format();
    void write_data();
    void write();

private:
    QTemporaryDir m_generated;
};

void tst_Configuration::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &file, const QString &reading) {
        QTest::newRow(name) << dataDirectory + file << reading;
    };
    row("all values", "full.cfg", full());
    row("nothing selected", "defaults.cfg",
        "(default)|(default)|(default)|(default)|0.0.0.0|-|(default)|-|-");
    row("French and UTF-8 port", "french-utf8.cfg",
        "French|Timetune|/dev/serial/by-id/usb-Édition_Série-if00|38400|10.0.0.5|-|127|2|1");
    row("line 1 other version", "line1-other-version.cfg", "damaged");
    row("line 1 lower case", "line1-lowercase.cfg", "damaged");
    row("line 5 French", "language-french.cfg", full({{0, "French"}}));
    row("line 5 lower case", "language-lowercase.cfg", full({{0, "(default)"}}));
    row("line 7 unknown model", "model-unknown.cfg", full({{1, "Tunebox 9000"}}));
    row("line 13 out of range", "address-300.cfg", full({{4, "-.168.1.20"}}));
    row("lines 13 to 16 0, 255, 256, 1.5", "address-bounds.cfg", full({{4, "0.255.-.-"}}));
    row("line 18 zero", "auto-0.cfg", full({{5, "-"}}));
    row("lines 22 and 24 hexadecimal and ASCII", "modes-hex-ascii.cfg", full({{7, "2"}, {8, "1"}}));
    row("lines 22 and 24 out of range", "modes-out-of-range.cfg", full({{7, "-"}, {8, "-"}}));
    row("5 lines", "short-5-lines.cfg", "French||||-.-.-.-|-||-|-");
    row("empty file", "empty.cfg", "damaged");
    row("missing file", "missing.cfg", "damaged");
    row("directory", ".", "damaged");
    // A lone carriage return does not end a line: the whole file is line 1.
    row("CR line ends", "cr-only.cfg", "(default)||||-.-.-.-|-||-|-");
    row("NUL bytes", "nul-bytes.cfg",
        full({{1, QString::fromUtf8("Time\0tune", 9)}, {4, "-.168.1.20"}}));
    row("invalid UTF-8", "invalid-utf8.cfg", full({{2, "/dev/tty\uFFFDX"}}));

    // A good start does not save a file larger than any that the console writes.
    const QString large = m_generated.filePath(QStringLiteral("large.cfg"));
    QVERIFY(writeFile(large, fileContent(dataDirectory + "full.cfg") +
                                 QByteArray(maxConfigurationFileSize, '\n')));
    QTest::newRow("larger than the bound") << large << "damaged";
}

void tst_Configuration::readFile()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(reading(readConfigurationFile(path)), expected);
}

// The writer gives back, byte for byte, the file that the reader is proven on.
void tst_Configuration::format()
{
    ConfigurationSettings settings;
    settings.language = ConfiguredLanguage::English;
    settings.model = QStringLiteral("Timetune");
    settings.port = QStringLiteral("/dev/ttyUSB0");
    settings.baudRate = QStringLiteral("19200");
    settings.address = {192, 168, 1, 20};
    settings.autoConnection = true;
    settings.playerId = QStringLiteral("5");
    settings.sentBytes = SentBytesDisplay::Decimal;
    settings.receivedData = ReceivedDataDisplay::Hexadecimal;
    QCOMPARE(formatConfiguration(settings, "Zoxen Console", "1.2.7.0"),
             fileContent(dataDirectory + "full.cfg"));
}

void tst_Configuration::write_data()
{
    QTest::addColumn<QByteArray>("previous");
    // The kernel's limit on the size of a file, which fails writes past it; -1 for none.
    QTest::addColumn<int>("limit");

    QTest::newRow("new file") << QByteArray() << -1;
    QTest::newRow("replaces a longer file") << QByteArray(4000, 'x') << -1;
    QTest::newRow("refused at the first byte") << QByteArray("previous") << 0;
    QTest::newRow("disk full after 100 bytes") << QByteArray("previous") << 100;
}

// A write either replaces the previous file whole or leaves it as it was, with no file of its
// own left behind. The limit fails the buffered write at its last flush, after which QSaveFile
// alone would still put the cut file in place.
void tst_Configuration::write()
{
    QFETCH(QByteArray, previous);
    QFETCH(int, limit);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("Zoxen Console.cfg"));
    QVERIFY(previous.isEmpty() || writeFile(path, previous));
    const QByteArray content = fileContent(dataDirectory + "full.cfg");
    // The signal that the kernel sends at the limit would end the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit original{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit limited = original;
    limited.rlim_cur = limit < 0 ? original.rlim_cur : rlim_t(limit);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = writeConfigurationFile(path, content);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &original), 0);
    QCOMPARE(written, limit < 0);
    QCOMPARE(fileContent(path), written ? content : previous);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});
}

QTEST_APPLESS_MAIN(tst_Configuration)
#include "tst_configuration.moc"
