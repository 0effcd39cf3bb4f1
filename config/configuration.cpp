#include "config/configuration.h"

namespace {

const QString configVersion = QStringLiteral("1.00");
const QString configSignature = QStringLiteral("ZOX1");
const QString configTitleSuffix = QStringLiteral("(Configuration File)");
const QString defaultMarker = QStringLiteral("(default)");

const QString englishWord = QStringLiteral("English");
const QString frenchWord = QStringLiteral("French");

constexpr int lineCount = 24;

// Line numbers, counted from 1, of the values; every other line is a heading.
constexpr int languageLine = 5;
constexpr int modelLine = 7;
constexpr int portLine = 9;
constexpr int baudRateLine = 11;
constexpr int firstAddressLine = 13;
constexpr int autoConnectionLine = 18;
constexpr int playerIdLine = 20;
constexpr int sentBytesLine = 22;
constexpr int receivedDataLine = 24;

QString textOrDefault(const std::optional<QString> &text)
{
    return text.value_or(defaultMarker);
}

QString languageWord(ConfiguredLanguage language)
{
    switch (language) {
    case ConfiguredLanguage::English:
        return englishWord;
    case ConfiguredLanguage::French:
        return frenchWord;
    case ConfiguredLanguage::Default:
        break;
    }
    return defaultMarker;
}

template<typename Display> QString displayCode(const std::optional<Display> &display)
{
    return display ? QString::number(static_cast<int>(*display)) : defaultMarker;
}

// A zero byte ends the number for Qt 6's reading, not for Qt 5's: the same file reads the same
// whichever built the console.
std::optional<int> decimal(const QString &text)
{
    if (text.contains(QChar::Null))
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<int> addressByte(const QString &text)
{
    const std::optional<int> value = decimal(text);
    if (value && *value >= 0 && *value <= 255)
        return value;
    return std::nullopt;
}

std::optional<SentBytesDisplay> sentBytesDisplay(const QString &text)
{
    switch (decimal(text).value_or(0)) {
    case 2:
        return SentBytesDisplay::Hexadecimal;
    case 3:
        return SentBytesDisplay::Decimal;
    }
    return std::nullopt;
}

std::optional<ReceivedDataDisplay> receivedDataDisplay(const QString &text)
{
    switch (decimal(text).value_or(0)) {
    case 1:
        return ReceivedDataDisplay::Ascii;
    case 2:
        return ReceivedDataDisplay::Hexadecimal;
    case 3:
        return ReceivedDataDisplay::Decimal;
    }
    return std::nullopt;
}

// Splitting the bytes before decoding is safe: "\n" never occurs inside a UTF-8 sequence.
// Lines past the last one read stay empty.
std::array<QString, lineCount> firstLines(const QByteArray &content)
{
    std::array<QString, lineCount> lines;
    int start = 0;
    for (int index = 0; index < lineCount && start < content.size(); ++index) {
        int end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        int length = end - start;
        if (length > 0 && content.at(end - 1) == '\r')
            --length;
        lines[index] = QString::fromUtf8(content.constData() + start, length);
        start = end + 1;
    }
    return lines;
}

} // namespace

QByteArray formatConfiguration(const ConfigurationSettings &settings,
                               const QString &applicationName, const QString &applicationVersion)
{
    const QString lines[lineCount] = {
        configSignature + configVersion,
        applicationName + QLatin1Char(' ') + configTitleSuffix,
        QStringLiteral("Generate by: ") + applicationName + QLatin1Char(' ') + applicationVersion,
        QStringLiteral("*** Default Language:"),
        languageWord(settings.language),
        QStringLiteral("*** Default Device:"),
        textOrDefault(settings.model),
        QStringLiteral("*** Default Serial Port:"),
        textOrDefault(settings.port),
        QStringLiteral("*** Default Baudrate:"),
        textOrDefault(settings.baudRate),
        QStringLiteral("*** Default IP Address:"),
        QString::number(settings.address[0]),
        QString::number(settings.address[1]),
        QString::number(settings.address[2]),
        QString::number(settings.address[3]),
        QStringLiteral("*** Default Auto-connection:"),
        settings.autoConnection ? QStringLiteral("1") : QStringLiteral("0"),
        QStringLiteral("*** Default Player ID:"),
        textOrDefault(settings.playerId),
        QStringLiteral("*** Default Command Bytes Sent Setting:"),
        displayCode(settings.sentBytes),
        QStringLiteral("*** Default Data Received Setting:"),
        displayCode(settings.receivedData),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text.toUtf8();
}

bool namesNoEntry(const QString &line)
{
    return line == defaultMarker;
}

ParsedConfiguration parseConfiguration(const QByteArray &fileContent)
{
    const std::array<QString, lineCount> lines = firstLines(fileContent);
    const auto line = [&lines](int number) -> const QString & {
        return lines[number - 1];
    };

    ParsedConfiguration parsed;
    const QString &title = line(1);
    if (!title.contains(configSignature) || !title.contains(configVersion))
        return parsed;

    parsed.accepted = true;
    if (line(languageLine) == englishWord)
        parsed.language = ConfiguredLanguage::English;
    else if (line(languageLine) == frenchWord)
        parsed.language = ConfiguredLanguage::French;
    parsed.model = line(modelLine);
    parsed.port = line(portLine);
    parsed.baudRate = line(baudRateLine);
    for (int index = 0; index < 4; ++index)
        parsed.address[index] = addressByte(line(firstAddressLine + index));
    parsed.checkAutoConnection = decimal(line(autoConnectionLine)).value_or(0) != 0;
    parsed.playerId = line(playerIdLine);
    parsed.sentBytes = sentBytesDisplay(line(sentBytesLine));
    parsed.receivedData = receivedDataDisplay(line(receivedDataLine));
    return parsed;
}
