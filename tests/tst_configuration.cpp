#include "config/configuration.h"
#include "config/configurationfile.h"

#include <QDir>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

enum class WriteFault
{
    RefusedAtFirstByte,
    DiskFullAfter100Bytes,
    FileSizeLimit,
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

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeRaw(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
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

// An accepted file whose value lines are all missing.
ParsedConfiguration acceptedEmpty()
{
    ParsedConfiguration parsed;
    parsed.accepted = true;
    return parsed;
}

template<typename Change> ParsedConfiguration allValuesReadWith(Change change)
{
    ParsedConfiguration parsed = readingOf(allValues());
    change(parsed);
    return parsed;
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
    void roundTrip_data();
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
    QVERIFY(writeRaw(m_generated.filePath(QStringLiteral("megabyte-lines.cfg")), lines));
    QVERIFY(writeRaw(m_generated.filePath(QStringLiteral("megabyte-single-line.cfg")),
                     QByteArray(4 * megabyte, 'z') + "ZOX11.00"));
}

void tst_Configuration::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ParsedConfiguration>("expected");

    const ParsedConfiguration rejected;
    const ParsedConfiguration all = readingOf(allValues());

    QTest::newRow("config/all values") << dataFile("full.cfg") << all;
    QTest::newRow("config/nothing selected")
        << dataFile("defaults.cfg") << readingOf(ConfigurationSettings());
    QTest::newRow("config/French and UTF-8 port")
        << dataFile("french-utf8.cfg") << readingOf(frenchWithUtf8Port());

    QTest::newRow("config/line 1 version before signature")
        << dataFile("line1-reordered.cfg") << all;
    QTest::newRow("config/line 1 signature and version overlapping")
        << dataFile("line1-overlapping.cfg") << all;
    QTest::newRow("config/line 1 other version") << dataFile("line1-other-version.cfg") << rejected;
    QTest::newRow("config/line 1 lower case") << dataFile("line1-lowercase.cfg") << rejected;
    QTest::newRow("config/line 1 empty") << dataFile("line1-empty.cfg") << rejected;

    QTest::newRow("config/line 5 French")
        << dataFile("language-french.cfg")
        << allValuesReadWith([](auto &p) { p.language = ConfiguredLanguage::French; });
    const ParsedConfiguration defaultLanguage =
        allValuesReadWith([](auto &p) { p.language = ConfiguredLanguage::Default; });
    QTest::newRow("config/line 5 (default)") << dataFile("language-default.cfg") << defaultLanguage;
    QTest::newRow("config/line 5 empty") << dataFile("language-empty.cfg") << defaultLanguage;
    QTest::newRow("config/line 5 lower case")
        << dataFile("language-lowercase.cfg") << defaultLanguage;

    QTest::newRow("config/line 7 unknown model")
        << dataFile("model-unknown.cfg")
        << allValuesReadWith([](auto &p) { p.model = QStringLiteral("Tunebox 9000"); });

    const ParsedConfiguration noFirstByte =
        allValuesReadWith([](auto &p) { p.address[0] = std::nullopt; });
    QTest::newRow("config/line 13 out of range") << dataFile("address-300.cfg") << noFirstByte;
    QTest::newRow("config/line 13 negative") << dataFile("address-minus-1.cfg") << noFirstByte;
    QTest::newRow("config/line 13 not a number") << dataFile("address-abc.cfg") << noFirstByte;
    QTest::newRow("config/line 13 empty") << dataFile("address-empty.cfg") << noFirstByte;
    QTest::newRow("config/lines 13 to 16 0, 255, 256, 1.5")
        << dataFile("address-bounds.cfg") << allValuesReadWith([](auto &p) {
               p.address = {0, 255, std::nullopt, std::nullopt};
           });

    const ParsedConfiguration noAutoConnection =
        allValuesReadWith([](auto &p) { p.checkAutoConnection = false; });
    QTest::newRow("config/line 18 zero") << dataFile("auto-0.cfg") << noAutoConnection;
    QTest::newRow("config/line 18 seven") << dataFile("auto-7.cfg") << all;
    QTest::newRow("config/line 18 not a number") << dataFile("auto-x.cfg") << noAutoConnection;

    QTest::newRow("config/lines 22 and 24 hexadecimal and ASCII")
        << dataFile("modes-hex-ascii.cfg") << allValuesReadWith([](auto &p) {
               p.sentBytes = SentBytesDisplay::Hexadecimal;
               p.receivedData = ReceivedDataDisplay::Ascii;
           });
    QTest::newRow("config/lines 22 and 24 decimal")
        << dataFile("modes-decimal.cfg") << allValuesReadWith([](auto &p) {
               p.sentBytes = SentBytesDisplay::Decimal;
               p.receivedData = ReceivedDataDisplay::Decimal;
           });
    const ParsedConfiguration noModes = allValuesReadWith([](auto &p) {
        p.sentBytes = std::nullopt;
        p.receivedData = std::nullopt;
    });
    QTest::newRow("config/lines 22 and 24 out of range")
        << dataFile("modes-out-of-range.cfg") << noModes;
    QTest::newRow("config/lines 22 and 24 (default)") << dataFile("modes-default.cfg") << noModes;

    ParsedConfiguration fiveLines = acceptedEmpty();
    fiveLines.language = ConfiguredLanguage::French;
    QTest::newRow("config/5 lines") << dataFile("short-5-lines.cfg") << fiveLines;
    QTest::newRow("config/1 line") << dataFile("one-line.cfg") << acceptedEmpty();
    QTest::newRow("config/1 line without line end")
        << dataFile("one-line-no-line-end.cfg") << acceptedEmpty();
    QTest::newRow("config/empty file") << dataFile("empty.cfg") << rejected;
    QTest::newRow("config/missing file") << dataFile("missing.cfg") << rejected;
    QTest::newRow("config/directory") << QStringLiteral(ZOXEN_TEST_DATA) << rejected;

    QTest::newRow("config/CRLF line ends") << dataFile("crlf.cfg") << all;
    QTest::newRow("config/no final line end") << dataFile("no-final-line-end.cfg") << all;
    // A lone carriage return does not end a line: the whole file is line 1.
    QTest::newRow("config/CR line ends") << dataFile("cr-only.cfg") << acceptedEmpty();
    QTest::newRow("config/lines after 24 ignored") << dataFile("trailing-lines.cfg") << all;

    QTest::newRow("config/NUL bytes")
        << dataFile("nul-bytes.cfg") << allValuesReadWith([](auto &p) {
               p.model = QStringLiteral("Time") + QChar(0) + QStringLiteral("tune");
               p.address[0] = std::nullopt;
           });
    QTest::newRow("config/invalid UTF-8")
        << dataFile("invalid-utf8.cfg") << allValuesReadWith([](auto &p) {
               p.port = QStringLiteral("/dev/tty") + QChar(QChar::ReplacementCharacter) +
                        QStringLiteral("X");
           });
    QTest::newRow("config/random bytes") << dataFile("random.bin") << rejected;

    ParsedConfiguration megabyteLines = acceptedEmpty();
    megabyteLines.model = QString(megabyte, QLatin1Char('M'));
    megabyteLines.port = QString(megabyte, QLatin1Char('P'));
    megabyteLines.baudRate = QString(megabyte, QLatin1Char('9'));
    megabyteLines.playerId = QString(megabyte, QLatin1Char('I'));
    QTest::newRow("config/megabyte lines")
        << m_generated.filePath(QStringLiteral("megabyte-lines.cfg")) << megabyteLines;
    QTest::newRow("config/megabyte single line")
        << m_generated.filePath(QStringLiteral("megabyte-single-line.cfg")) << acceptedEmpty();
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

void tst_Configuration::roundTrip_data()
{
    QTest::addColumn<ConfigurationSettings>("settings");

    QTest::newRow("round trip/all values") << allValues();
    QTest::newRow("round trip/nothing selected") << ConfigurationSettings();
    QTest::newRow("round trip/French and UTF-8 port") << frenchWithUtf8Port();

    ConfigurationSettings edges;
    edges.model = QString();
    edges.port = QStringLiteral("COM3");
    edges.baudRate = QStringLiteral("115200");
    edges.address = {0, 255, 255, 0};
    edges.playerId = QStringLiteral("0");
    edges.sentBytes = SentBytesDisplay::Decimal;
    edges.receivedData = ReceivedDataDisplay::Decimal;
    QTest::newRow("round trip/empty entry text, bounds, decimal") << edges;
}

void tst_Configuration::roundTrip()
{
    QFETCH(ConfigurationSettings, settings);
    const QByteArray formatted = formatConfiguration(settings, applicationName, applicationVersion);
    QCOMPARE(parseConfiguration(formatted), readingOf(settings));
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
        QVERIFY(writeRaw(path, previous));

    const QByteArray content =
        formatConfiguration(allValues(), applicationName, applicationVersion);
    QVERIFY(writeConfigurationFile(path, content));
    QCOMPARE(fileContent(path), content);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});
}

void tst_Configuration::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<WriteFault>("fault");

    QTest::newRow("write/refused at first byte") << WriteFault::RefusedAtFirstByte;
    QTest::newRow("write/disk full after 100 bytes") << WriteFault::DiskFullAfter100Bytes;
    QTest::newRow("write/file size limit") << WriteFault::FileSizeLimit;
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
    QVERIFY(writeRaw(path, previous));
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
    case WriteFault::FileSizeLimit: {
        // The kernel refuses to grow any file past the limit, root included; the signal it
        // sends would end the test instead of failing the write.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        rlimit limited = original;
        limited.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const auto restore = qScopeGuard([&original] { setrlimit(RLIMIT_FSIZE, &original); });
        written = writeConfigurationFile(path, content);
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
