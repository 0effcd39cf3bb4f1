#include "config/configuration.h"
#include "config/configurationfile.h"
#include "testtable.h"

#include <QDir>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <unistd.h>

Q_DECLARE_METATYPE(ParsedConfiguration)
Q_DECLARE_METATYPE(ConfigurationSettings)

namespace {

// A save file on a disk that fills up: what fits is written, then writes fail.
class FailingSaveFile : public QSaveFile
{
public:
    FailingSaveFile(const QString &name, qint64 room)
        : QSaveFile(name)
        , m_room(room)
    {}

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 fitting = qMin(length, m_room);
        if (fitting == 0)
            return -1;
        m_room -= fitting;
        return QSaveFile::writeData(data, fitting);
    }

private:
    qint64 m_room;
};

const QString applicationName = QStringLiteral("Zoxen Console");
const QString applicationVersion = QStringLiteral("1.2.7.0");
constexpr int megabyte = 1 << 20;

QString dataFile(const QString &name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/config/") + name;
}

// The values of full.cfg.
ConfigurationSettings allValues()
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
    return settings;
}

// The values of french-utf8.cfg.
ConfigurationSettings frenchWithUtf8Port()
{
    ConfigurationSettings settings = allValues();
    settings.language = ConfiguredLanguage::French;
    settings.port = QStringLiteral("/dev/serial/by-id/usb-Édition_Série-if00");
    settings.baudRate = QStringLiteral("38400");
    settings.address = {10, 0, 0, 5};
    settings.autoConnection = false;
    settings.playerId = QStringLiteral("127");
    settings.sentBytes = SentBytesDisplay::Hexadecimal;
    settings.receivedData = ReceivedDataDisplay::Ascii;
    return settings;
}

// What reading back a file written from these settings must give.
ParsedConfiguration readingOf(const ConfigurationSettings &settings)
{
    const QString marker = QStringLiteral("(default)");
    ParsedConfiguration parsed;
    parsed.accepted = true;
    parsed.language = settings.language;
    parsed.model = settings.model.value_or(marker);
    parsed.port = settings.port.value_or(marker);
    parsed.baudRate = settings.baudRate.value_or(marker);
    for (int index = 0; index < 4; ++index)
        parsed.address[index] = settings.address[index];
    parsed.checkAutoConnection = settings.autoConnection;
    parsed.playerId = settings.playerId.value_or(marker);
    parsed.sentBytes = settings.sentBytes;
    parsed.receivedData = settings.receivedData;
    return parsed;
}

using Change = std::function<void(ParsedConfiguration &)>;

// full.cfg's reading with a change.
ParsedConfiguration all(const Change &change = {})
{
    ParsedConfiguration parsed = readingOf(allValues());
    if (change)
        change(parsed);
    return parsed;
}

// Accepted, with nothing read.
ParsedConfiguration empty(const Change &change = {})
{
    ParsedConfiguration parsed;
    parsed.accepted = true;
    if (change)
        change(parsed);
    return parsed;
}

void firstAddressByteUnread(ParsedConfiguration &parsed)
{
    parsed.address[0] = std::nullopt;
}

} // namespace

class tst_Configuration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readFile_data();
    void readFile();
    void format_data();
    void format();
    void roundTrip();
    void write_data();
    void write();
    void path();

private:
    QTemporaryDir m_generated;
};

void tst_Configuration::initTestCase()
{
    QCoreApplication::setApplicationName(applicationName);
    QVERIFY(m_generated.isValid());

    // Megabytes are made here rather than kept in the repository: a megabyte of filler before
    // the signature, then a megabyte for each line.
    QByteArray lines;
    for (const char filler : QByteArray("ahhhEhMhPh9h1111h1hIh2h3"))
        lines += QByteArray(megabyte, filler) + (lines.isEmpty() ? "ZOX11.00\n" : "\n");
    QVERIFY(writeFile(m_generated.filePath(QStringLiteral("megabyte-lines.cfg")), lines));
}

void tst_Configuration::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ParsedConfiguration>("expected");
    const auto row = [](const char *name, const QString &file, const ParsedConfiguration &reading) {
        QTest::newRow(name) << dataFile(file) << reading;
    };
    using P = ParsedConfiguration;
    const ParsedConfiguration rejected;

    row("config/all values", "full.cfg", all());
    row("config/nothing selected", "defaults.cfg", readingOf(ConfigurationSettings()));
    row("config/French and UTF-8 port", "french-utf8.cfg", readingOf(frenchWithUtf8Port()));

    row("config/line 1 version before signature", "line1-reordered.cfg", all());
    row("config/line 1 signature and version overlapping", "line1-overlapping.cfg", all());
    row("config/line 1 other version", "line1-other-version.cfg", rejected);
    row("config/line 1 lower case", "line1-lowercase.cfg", rejected);

    const auto language = [](ConfiguredLanguage language) {
        return all([language](P &p) { p.language = language; });
    };
    row("config/line 5 French", "language-french.cfg", language(ConfiguredLanguage::French));
    row("config/line 5 (default)", "language-default.cfg", language(ConfiguredLanguage::Default));
    row("config/line 5 lower case", "language-lowercase.cfg",
        language(ConfiguredLanguage::Default));

    row("config/line 7 unknown model", "model-unknown.cfg",
        all([](P &p) { p.model = QStringLiteral("Tunebox 9000"); }));

    row("config/line 13 out of range", "address-300.cfg", all(firstAddressByteUnread));
    row("config/line 13 not a number", "address-abc.cfg", all(firstAddressByteUnread));
    row("config/lines 13 to 16 0, 255, 256, 1.5", "address-bounds.cfg", all([](P &p) {
            p.address = {0, 255, std::nullopt, std::nullopt};
        }));

    row("config/line 18 zero", "auto-0.cfg", all([](P &p) { p.checkAutoConnection = false; }));
    row("config/line 18 seven", "auto-7.cfg", all());
    row("config/line 18 not a number", "auto-x.cfg",
        all([](P &p) { p.checkAutoConnection = false; }));

    row("config/lines 22 and 24 hexadecimal and ASCII", "modes-hex-ascii.cfg", all([](P &p) {
            p.sentBytes = SentBytesDisplay::Hexadecimal;
            p.receivedData = ReceivedDataDisplay::Ascii;
        }));
    row("config/lines 22 and 24 decimal", "modes-decimal.cfg",
        all([](P &p) { p.receivedData = ReceivedDataDisplay::Decimal; }));
    const auto noModes = all([](P &p) {
        p.sentBytes = std::nullopt;
        p.receivedData = std::nullopt;
    });
    row("config/lines 22 and 24 out of range", "modes-out-of-range.cfg", noModes);
    row("config/lines 22 and 24 (default)", "modes-default.cfg", noModes);

    row("config/5 lines", "short-5-lines.cfg",
        empty([](P &p) { p.language = ConfiguredLanguage::French; }));
    row("config/1 line", "one-line.cfg", empty());
    row("config/empty file", "empty.cfg", rejected);
    row("config/missing file", "missing.cfg", rejected);
    row("config/directory", ".", rejected);

    row("config/CRLF line ends", "crlf.cfg", all());
    row("config/no final line end", "no-final-line-end.cfg", all());
    // A lone carriage return does not end a line: the whole file is line 1.
    row("config/CR line ends", "cr-only.cfg", empty());
    row("config/lines after 24 ignored", "trailing-lines.cfg", all());

    row("config/NUL bytes", "nul-bytes.cfg", all([](P &p) {
            p.model = QString::fromUtf8("Time\0tune", 9);
            p.address[0] = std::nullopt;
        }));
    row("config/invalid UTF-8", "invalid-utf8.cfg",
        all([](P &p) { p.port = QString::fromUtf8("/dev/tty\uFFFDX"); }));
    row("config/random bytes", "random.bin", rejected);

    // A good start does not save a file far larger than any the console writes.
    QTest::newRow("config/megabyte lines: damaged")
        << m_generated.filePath(QStringLiteral("megabyte-lines.cfg")) << rejected;
}

void tst_Configuration::readFile()
{
    QFETCH(QString, path);
    QFETCH(ParsedConfiguration, expected);
    QCOMPARE(readConfigurationFile(path), expected);
}

// The reference files are the format that earlier consoles wrote and read.
void tst_Configuration::format_data()
{
    QTest::addColumn<ConfigurationSettings>("settings");
    QTest::addColumn<QString>("reference");

    QTest::newRow("format/all values") << allValues() << dataFile("full.cfg");
    QTest::newRow("format/nothing selected") << ConfigurationSettings() << dataFile("defaults.cfg");
    QTest::newRow("format/French and UTF-8 port")
        << frenchWithUtf8Port() << dataFile("french-utf8.cfg");
}

void tst_Configuration::format()
{
    QFETCH(ConfigurationSettings, settings);
    QFETCH(QString, reference);
    QCOMPARE(formatConfiguration(settings, applicationName, applicationVersion),
             fileContent(reference));
}

void tst_Configuration::roundTrip()
{
    ConfigurationSettings edges;
    edges.model = QString();
    edges.port = QStringLiteral("COM3");
    edges.baudRate = QStringLiteral("115200");
    edges.address = {0, 255, 255, 0};
    edges.playerId = QStringLiteral("0");
    edges.sentBytes = SentBytesDisplay::Decimal;
    edges.receivedData = ReceivedDataDisplay::Decimal;
    const QByteArray formatted = formatConfiguration(edges, applicationName, applicationVersion);
    QCOMPARE(parseConfiguration(formatted), readingOf(edges));
}

// A write either replaces the previous file whole or leaves it as it was, with no file of its
// own left behind. The kernel's file size limit stops the window's own exit in tst_settings.
void tst_Configuration::write_data()
{
    QTest::addColumn<QByteArray>("previous");
    // Bytes that fit before the disk is full; -1 for no limit, -2 for a read-only directory.
    QTest::addColumn<int>("room");

    QTest::newRow("write/new file") << QByteArray() << -1;
    QTest::newRow("write/replaces a longer file") << QByteArray(4000, 'x') << -1;
    QTest::newRow("write/refused at first byte") << QByteArray("previous") << 0;
    QTest::newRow("write/disk full after 100 bytes") << QByteArray("previous") << 100;
    QTest::newRow("write/read-only directory") << QByteArray("previous") << -2;
}

void tst_Configuration::write()
{
    QFETCH(QByteArray, previous);
    QFETCH(int, room);
    if (room == -2 && geteuid() == 0)
        QSKIP("directory permissions do not stop root");

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("Zoxen Console.cfg"));
    if (!previous.isEmpty())
        QVERIFY(writeFile(path, previous));
    const QByteArray content = fileContent(dataFile("full.cfg"));
    bool written = false;
    if (room >= 0) {
        FailingSaveFile file(path, room);
        written = writeConfiguration(file, content);
    } else {
        const QFileDevice::Permissions permissions = QFile::permissions(directory.path());
        if (room == -2)
            QVERIFY(QFile::setPermissions(directory.path(),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const auto restore = qScopeGuard(
            [&directory, permissions] { QFile::setPermissions(directory.path(), permissions); });
        written = writeConfigurationFile(path, content);
    }
    QCOMPARE(written, room == -1);
    QCOMPARE(fileContent(path), written ? content : previous);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});
}

void tst_Configuration::path()
{
    QCOMPARE(configurationPath(QString()),
             QCoreApplication::applicationDirPath() + QStringLiteral("/Zoxen Console.cfg"));
    QCOMPARE(configurationPath(QStringLiteral("/tmp/data/Zoxen Console.cfg")),
             QStringLiteral("/tmp/data/Zoxen Console.cfg"));
}

QTEST_GUILESS_MAIN(tst_Configuration)
#include "tst_configuration.moc"
