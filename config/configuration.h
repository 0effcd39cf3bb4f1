#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The Languages menu choice: "(default)" follows the system's language.
enum class ConfiguredLanguage
{
    Default,
    English,
    French
};

// Both display modes carry the code that the file stores for them.
enum class SentBytesDisplay
{
    Hexadecimal = 2,
    Decimal = 3
};

enum class ReceivedDataDisplay
{
    Ascii = 1,
    Hexadecimal = 2,
    Decimal = 3
};

// The settings as the window stands when it closes. An empty text means that its combo box
// has no current entry (written "(default)"), which is not the same as an entry whose text is
// empty; an empty display mode means that none of its radio buttons is checked.
struct ConfigurationSettings
{
    ConfiguredLanguage language = ConfiguredLanguage::Default;
    std::optional<QString> model;
    std::optional<QString> port;
    std::optional<QString> baudRate;
    std::array<int, 4> address = {0, 0, 0, 0};
    bool autoConnection = false;
    std::optional<QString> playerId;
    std::optional<SentBytesDisplay> sentBytes;
    std::optional<ReceivedDataDisplay> receivedData;
};

// What a configuration file asks the window to apply. Nothing applies unless accepted. Texts
// are raw, for the window to match against its combo boxes; a missing line reads as "". The
// other values are empty when their line does not parse or lies out of range, so that the
// window leaves the widget as it is.
struct ParsedConfiguration
{
    bool accepted = false;
    ConfiguredLanguage language = ConfiguredLanguage::Default;
    QString model;
    QString port;
    QString baudRate;
    std::array<std::optional<int>, 4> address;
    // Only ever checks the box: a "0" does not uncheck it.
    bool checkAutoConnection = false;
    QString playerId;
    std::optional<SentBytesDisplay> sentBytes;
    std::optional<ReceivedDataDisplay> receivedData;

    bool operator==(const ParsedConfiguration &other) const
    {
        return accepted == other.accepted && language == other.language && model == other.model &&
               port == other.port && baudRate == other.baudRate && address == other.address &&
               checkAutoConnection == other.checkAutoConnection && playerId == other.playerId &&
               sentBytes == other.sentBytes && receivedData == other.receivedData;
    }
};

// Whether a line of the file stands for a list with no current entry ("(default)").
bool namesNoEntry(const QString &line);

// The 24 lines of the file in UTF-8, each ending with "\n". The application name and version
// go into the two title lines (QCoreApplication's identity in the window).
QByteArray formatConfiguration(const ConfigurationSettings &settings,
                               const QString &applicationName, const QString &applicationVersion);

// Reads only the first 24 lines, each ending with "\n" or "\r\n", decoded as UTF-8; anything
// else in the content is ignored.
ParsedConfiguration parseConfiguration(const QByteArray &fileContent);
