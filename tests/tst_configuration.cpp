#include "config/configuration.h"
#include "config/configurationfile.h"
#include "testtable.h"

#include <QDir>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

enum class WriteFault
{
    RefusedAtFirstByte,
    DiskFullAfter100Bytes,
    ReadOnlyDirectory
};

Q_DECLARE_METATYPE(ParsedConfiguration)
Q_DECLARE_METATYPE(ConfigurationSettings)
Q_DECLARE_METATYPE(WriteFault)

// Long texts are cut so that a failing megabyte row stays readable.
char *toString(const ParsedConfiguration &parsed)
{
    const auto text = [](const QString &value) {
        const QString shown = value.size() > 40 ? value.left(40) + QStringLiteral("...") : value;
        return QStringLiteral("\"%1\" (%2)").arg(shown).arg(value.size());
    };
    const auto number = [](const auto &value) {
        return value ? QString::number(static_cast<int>(*value)) : QStringLiteral("none");
    };
    QStringList parts;
    parts << QStringLiteral("accepted %1").arg(parsed.accepted)
          << QStringLiteral("language %1").arg(static_cast<int>(parsed.language))
          << QStringLiteral("model %1").arg(text(parsed.model))
          << QStringLiteral("port %1").arg(text(parsed.port))
          << QStringLiteral("baud %1").arg(text(parsed.baudRate));
    for (const std::optional<int> &byte : parsed.address)
        parts << QStringLiteral("address %1").arg(number(byte));
    parts << QStringLiteral("auto %1").arg(parsed.checkAutoConnection)
          << QStringLiteral("id %1").arg(text(parsed.playerId))
          << QStringLiteral("sent %1").arg(number(parsed.sentBytes))
          << QStringLiteral("received %1").arg(number(parsed.receivedData));
    return qstrdup(parts.join(QStringLiteral(", ")).toUtf8().constData());
}

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

ConfigurationSettings frenchWithUtf8Port()
{
    ConfigurationSettings settings;
    settings.language = ConfiguredLanguage::French;
    settings.model = QStringLiteral("Timetune");
    settings.port = QStringLiteral("/dev/serial/by-id/usb-Édition_Série-if00");
    settings.baudRate = QStringLiteral("38400");
    settings.address = {10, 0, 0, 5};
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

// What tests/data/config/readings.txt says the reader makes of a file; `parsed.accepted` stays
// false for a text that this function does not understand either.
bool expectation(const QString &text, ParsedConfiguration &parsed)
{
    const QStringList changes = text.split(';');
    const QString base = changes.first().trimmed();
    if (base == "all")
        parsed = readingOf(allValues());
    else if (base == "defaults")
        parsed = readingOf(ConfigurationSettings());
    else
        parsed = ParsedConfiguration();
    parsed.accepted = base != "rejected";
    const QMap<QString, QString ParsedConfiguration::*> texts = {
        {"model", &ParsedConfiguration::model},
        {"port", &ParsedConfiguration::port},
        {"baud", &ParsedConfiguration::baudRate},
        {"id", &ParsedConfiguration::playerId}};
    const QStringList languages = {"(default)", "English", "French"};
    const auto number = [](const QString &digits) {
        bool ok = false;
        const int n = digits.toInt(&ok);
        return ok ? std::optional<int>(n) : std::nullopt;
    };
    for (const QString &change : changes.mid(1)) {
        const QString what = change.section('=', 0, 0).trimmed();
        const QString given = change.section('=', 1).trimmed();
        const QString value = given.startsWith('"') ? quotedTexts(given).value(0) : given;
        const std::optional<int> mode = number(value);
        if (texts.contains(what)) {
            parsed.*texts.value(what) = value;
        } else if (what == "language" && languages.contains(value)) {
            parsed.language = ConfiguredLanguage(languages.indexOf(value));
        } else if (what == "address" && value.count('.') == 3) {
            for (int index = 0; index < 4; ++index)
                parsed.address[index] = number(value.section('.', index, index));
        } else if (what == "auto") {
            parsed.checkAutoConnection = value == "1";
        } else if (what == "sent") {
            parsed.sentBytes = mode ? std::optional(SentBytesDisplay(*mode)) : std::nullopt;
        } else if (what == "received") {
            parsed.receivedData = mode ? std::optional(ReceivedDataDisplay(*mode)) : std::nullopt;
        } else {
            return false;
        }
    }
    return QStringList{"all", "defaults", "empty", "rejected"}.contains(base);
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
    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void path_data();
    void path();

private:
    QTemporaryDir m_generated;
};

void tst_Configuration::initTestCase()
{
    QCoreApplication::setApplicationName(applicationName);
    QVERIFY(m_generated.isValid());

    // Megabytes are made here rather than kept in the repository.
    QByteArray lines;
    const auto addLine = [&lines](char filler, const QByteArray &tail = QByteArray()) {
        lines += QByteArray(megabyte, filler) + tail + '\n';
    };
    addLine('a', "ZOX11.00");
    addLine('h');
    addLine('h');
    addLine('h');
    addLine('E');
    addLine('h');
    addLine('M');
    addLine('h');
    addLine('P');
    addLine('h');
    addLine('9');
    addLine('h');
    for (int byte = 0; byte < 4; ++byte)
        addLine('1');
    addLine('h');
    addLine('1');
    addLine('h');
    addLine('I');
    addLine('h');
    addLine('2');
    addLine('h');
    addLine('3');
    QVERIFY(writeFile(m_generated.filePath(QStringLiteral("megabyte-lines.cfg")), lines));
    QVERIFY(writeFile(m_generated.filePath(QStringLiteral("megabyte-single-line.cfg")),
                      QByteArray(4 * megabyte, 'z') + "ZOX11.00"));
}

void tst_Configuration::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ParsedConfiguration>("expected");

    TestTable table(QStringLiteral("config/readings.txt"), 3);
    QVERIFY2(table.holds(38), table.problem());
    for (const QStringList &row : table.rows()) {
        ParsedConfiguration expected;
        QVERIFY2(expectation(row.at(2), expected), qPrintable(row.at(2)));
        QTest::newRow(qPrintable(row.at(0))) << dataFile(row.at(1)) << expected;
    }

    ParsedConfiguration megabyteLines;
    expectation(QStringLiteral("empty"), megabyteLines);
    megabyteLines.model = QString(megabyte, QLatin1Char('M'));
    megabyteLines.port = QString(megabyte, QLatin1Char('P'));
    megabyteLines.baudRate = QString(megabyte, QLatin1Char('9'));
    megabyteLines.playerId = QString(megabyte, QLatin1Char('I'));
    QTest::newRow("config/megabyte lines")
        << m_generated.filePath(QStringLiteral("megabyte-lines.cfg")) << megabyteLines;
    ParsedConfiguration emptyReading;
    expectation(QStringLiteral("empty"), emptyReading);
    QTest::newRow("config/megabyte single line")
        << m_generated.filePath(QStringLiteral("megabyte-single-line.cfg")) << emptyReading;
}

void tst_Configuration::readFile()
{
    QFETCH(QString, path);
    QFETCH(ParsedConfiguration, expected);
    QCOMPARE(readConfigurationFile(path), expected);
}

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

    const QByteArray formatted = formatConfiguration(settings, applicationName, applicationVersion);
    QCOMPARE(formatted.count('\n'), 24);
    QVERIFY(formatted.endsWith('\n'));
    QCOMPARE(formatted, fileContent(reference));
}

// The other settings are formatted to files that the reading table reads back.
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

void tst_Configuration::write_data()
{
    QTest::addColumn<QByteArray>("previous");

    QTest::newRow("write/new file") << QByteArray();
    QTest::newRow("write/replaces a longer file") << QByteArray(4000, 'x');
}

void tst_Configuration::write()
{
    QFETCH(QByteArray, previous);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("Zoxen Console.cfg"));
    if (!previous.isEmpty())
        QVERIFY(writeFile(path, previous));

    const QByteArray content =
        formatConfiguration(allValues(), applicationName, applicationVersion);
    QVERIFY(writeConfigurationFile(path, content));
    QCOMPARE(fileContent(path), content);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});
}

// The kernel's file size limit stops the window's own exit in tst_settings.
void tst_Configuration::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<WriteFault>("fault");

    QTest::newRow("write/refused at first byte") << WriteFault::RefusedAtFirstByte;
    QTest::newRow("write/disk full after 100 bytes") << WriteFault::DiskFullAfter100Bytes;
    QTest::newRow("write/read-only directory") << WriteFault::ReadOnlyDirectory;
}

void tst_Configuration::failedWriteKeepsPreviousFile()
{
    QFETCH(WriteFault, fault);
    if (fault == WriteFault::ReadOnlyDirectory && geteuid() == 0)
        QSKIP("directory permissions do not stop root");

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("Zoxen Console.cfg"));
    const QByteArray previous = fileContent(dataFile("defaults.cfg"));
    QVERIFY(!previous.isEmpty());
    QVERIFY(writeFile(path, previous));
    const QByteArray content =
        formatConfiguration(allValues(), applicationName, applicationVersion);

    bool written = true;
    switch (fault) {
    case WriteFault::RefusedAtFirstByte: {
        FailingSaveFile file(path, 0);
        written = writeConfiguration(file, content);
        break;
    }
    case WriteFault::DiskFullAfter100Bytes: {
        FailingSaveFile file(path, 100);
        written = writeConfiguration(file, content);
        break;
    }
    case WriteFault::ReadOnlyDirectory: {
        const QFileDevice::Permissions permissions = QFile::permissions(directory.path());
        QVERIFY(QFile::setPermissions(directory.path(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const auto restore = qScopeGuard(
            [&directory, permissions] { QFile::setPermissions(directory.path(), permissions); });
        written = writeConfigurationFile(path, content);
        break;
    }
    }

    QVERIFY(!written);
    QCOMPARE(fileContent(path), previous);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});
}

void tst_Configuration::path_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");

    QTest::newRow("path/empty gives the file beside the executable")
        << QString()
        << QCoreApplication::applicationDirPath() + QStringLiteral("/Zoxen Console.cfg");
    QTest::newRow("path/given path kept") << QStringLiteral("/tmp/data/Zoxen Console.cfg")
                                          << QStringLiteral("/tmp/data/Zoxen Console.cfg");
}

void tst_Configuration::path()
{
    QFETCH(QString, given);
    QFETCH(QString, expected);
    QCOMPARE(configurationPath(given), expected);
}

QTEST_GUILESS_MAIN(tst_Configuration)
#include "tst_configuration.moc"
