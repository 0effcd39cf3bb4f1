#include "catalogue/playercatalogue.h"

#include <iterator>

namespace {

using namespace CommandCategory;

struct CommandRow
{
    const char *label;
    int category;
    quint8 code;
    ByteList dataMin;
    ByteList dataMax;
};

// As dataMax: a fixed command, whose highest values are its stored bytes.
const ByteList same;

// A row whose stored bytes end in ASCII text (a command number or a status name).
struct TextRow
{
    const char *label;
    int category;
    quint8 code;
    ByteList parameterMin;
    ByteList parameterMax;
    const char *text;
};

// Parameter ranges (bytes 0 and 1) of text rows; 0xFF 0xFF where a row takes no parameter.
const ByteList noParameter{0xFF, 0xFF};
const ByteList folderFirst{0x00, 0x01};
const ByteList folderLast{0x03, 0xE7};
const ByteList presetFirst{0x00, 0x01};
const ByteList presetLast{0x00, 0x0A};

// "Timetune", "Showtune (rev2)", "Pocketune rev2/3".
const CommandRow compactRows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x40}},
    {"Next Folder", NextFolder, 0x02, {0x06}, same},
    {"Previous Folder", PreviousFolder, 0x02, {0x07}, same},
    {"Volume +", VolumeUp, 0x02, {0x09}, same},
    {"Volume -", VolumeDown, 0x02, {0x0A}, same},
};

const CommandRow pocketuneLegacyRows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x1F}},
};

const CommandRow cardtuneRows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Pause", Pause, 0x02, {0x05}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x1F}},
    {"Change ID", ChangeId, 0x7F, {0x01}, {0x7F}},
};

const CommandRow fb300Rows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x0D}},
    {"Change ID", ChangeId, 0x7F, {0x01}, {0x7F}},
};

const CommandRow amplifierRows[] = {
    {"Volume 1", Volume, 0x03, {0x00}, {0x38}},
    {"Information", Request, 0x04, {0x40}, same},
    {"Triggering of the secondary volume (Volume 2)", Misc, 0x09, {0x01}, same},
    // The data byte is the ASCII digit of the device's speed setting.
    {"Set baudrate = 4800", Misc, 0x08, {0x30}, same},
    {"Set baudrate = 9600", Misc, 0x08, {0x31}, same},
    {"Set baudrate = 19200", Misc, 0x08, {0x32}, same},
    {"Change ID", ChangeId, 0x7F, {0x01}, {0x7F}},
};

// Stand-ins for the two UTC commands.
const ByteList utcEpochPlaceholder{0x05, 0x7F, 0x7F, 0x7F, 0x7F};
const ByteList utcDateTimePlaceholder{0x01, 0x02, 0x03, 0x04, 0x05, 0x06};

// SC900 and FB5xx, over either link.
const CommandRow videoRows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Play/Pause", Pause, 0x02, {0x05}, same},
    {"Next Folder", NextFolder, 0x02, {0x06}, same},
    {"Previous Folder", PreviousFolder, 0x02, {0x07}, same},
    {"Standby/Wakeup", StandbyWakeup, 0x02, {0x08}, same},
    {"Volume +", VolumeUp, 0x02, {0x09}, same},
    {"Volume -", VolumeDown, 0x02, {0x0A}, same},
    {"Standby", Standby, 0x02, {0x0C}, same},
    {"Wakeup", Wakeup, 0x02, {0x0D}, same},
    {"Pause", PauseOnly, 0x02, {0x0E}, same},
    {"Resume", Resume, 0x02, {0x0F}, same},
    {"Mute/Demute", MuteToggle, 0x02, {0x10}, same},
    {"Mute", Mute, 0x02, {0x11}, same},
    {"Unmute", Unmute, 0x02, {0x12}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x64}},
    {"Player Status", Request, 0x04, {0x01}, same},
    {"Current file", Request, 0x04, {0x02}, same},
    {"Full path name", Request, 0x04, {0x03}, same},
    {"Used storage media", Request, 0x04, {0x04}, same},
    {"Current folder number", Request, 0x04, {0x06}, same},
    {"Remaining time", Request, 0x04, {0x09}, same},
    {"Total time of the file", Request, 0x04, {0x0A}, same},
    {"Volume", Request, 0x04, {0x0B}, same},
    {"NTP on", Ntp, 0x5C, {0x01}, same},
    {"NTP off", Ntp, 0x5C, {0x00}, same},
    // Stored bytes only stand in: the current date and time replace them when sent.
    {"Set time", SetTime, 0x0C, {0x01, 0x02, 0x03}, same},
    {"Set date", SetDate, 0x1C, {0x04, 0x05, 0x06}, same},
    {"Set date/time", SetDateTime, 0x2C, {0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C}, same},
    {"Set UTC/GMT date/time (epoch version)", SetUtcEpoch, 0x3C, utcEpochPlaceholder, same},
    {"Set UTC/GMT date/time (full version)", SetUtcDateTime, 0x4C, utcDateTimePlaceholder, same},
};

// Both FB4xxQ(n) entries.
const CommandRow legacyVideoRows[] = {
    {"Folder", Folder, 0x01, {0x00}, {0x7F}},
    {"Play", Play, 0x02, {0x01}, same},
    {"Stop", Stop, 0x02, {0x02}, same},
    {"Next File", NextFile, 0x02, {0x03}, same},
    {"Previous File", PreviousFile, 0x02, {0x04}, same},
    {"Pause", Pause, 0x02, {0x05}, same},
    {"Next Folder", NextFolder, 0x02, {0x06}, same},
    {"Previous Folder", PreviousFolder, 0x02, {0x07}, same},
    {"Volume", Volume, 0x03, {0x00}, {0x1F}},
    {"Player Status", Request, 0x04, {0x01}, same},
    {"Current file", Request, 0x04, {0x02}, same},
    {"Full path name", Request, 0x04, {0x03}, same},
    {"Used storage media", Request, 0x04, {0x04}, same},
    {"Current folder number", Request, 0x04, {0x06}, same},
    {"Remaining time", Request, 0x04, {0x09}, same},
    {"Total time of the file", Request, 0x04, {0x0A}, same},
    {"Volume", Request, 0x04, {0x0B}, same},
    {"Change ID", ChangeId, 0x7F, {0x01}, {0x7F}},
};

// Bytes 0 and 1 are the 16-bit parameter, high byte first; 0xFF marks an unused position.
const ByteList unused{0xFF, 0xFF, 0xFF};
const ByteList referenceMin{0x00, 0x01, 0xFF};
const ByteList referenceMax{0x03, 0xE7, 0xFF};
const ByteList referenceOptionMin{0x00, 0x01, 0x01};

const CommandRow tuneboxSerialRows[] = {
    {"Play", Play, 0x20, unused, same},
    {"Stop", Stop, 0x22, unused, same},
    {"Next File", NextFile, 0x23, unused, same},
    {"Previous File", PreviousFile, 0x24, unused, same},
    {"MUSIC folder (Random)", ContentFolder, 0x00, referenceMin, referenceMax},
    {"MUSIC folder (Random + Reset)", ContentFolder, 0x01, referenceMin, referenceMax},
    {"MUSIC folder (Sequential)", ContentFolder, 0x02, referenceMin, referenceMax},
    {"MUSIC folder (Sequential + Reset)", ContentFolder, 0x03, referenceMin, referenceMax},
    {"PLAYLIST folder (Random)", ContentFolder, 0x08, referenceMin, referenceMax},
    {"PLAYLIST folder (Random + Reset)", ContentFolder, 0x09, referenceMin, referenceMax},
    {"PLAYLIST folder (Sequential)", ContentFolder, 0x0A, referenceMin, referenceMax},
    {"PLAYLIST folder (Sequential + Reset)", ContentFolder, 0x0B, referenceMin, referenceMax},
    {"SPOT folder (Random)", ContentFolder, 0x10, referenceMin, referenceMax},
    {"SPOT folder (Sequential)", ContentFolder, 0x11, referenceMin, referenceMax},
    {"SPOT folder (Random + Reset)", ContentFolderOption, 0x12, referenceOptionMin, referenceMax},
    {"SPOT folder (Sequential + Reset)", ContentFolderOption, 0x14, referenceOptionMin,
     referenceMax},
    {"Webradio", Webradio, 0x40, {0x00, 0x01, 0xFF}, {0x00, 0x0A, 0xFF}},
    {"Alternate: Internal USB", AlternateSource, 0x53, unused, same},
    {"Alternate: External USB", AlternateSource, 0x52, unused, same},
    {"Alternate: SD card", AlternateSource, 0x51, unused, same},
    {"Alternate: Internal HDD", AlternateSource, 0x54, unused, same},
    {"Alternate: Aux input", AlternateSource, 0x5B, unused, same},
    // One code; byte 1 is the mute state.
    {"Mute", Mute, 0x33, {0x00, 0x01, 0x00}, same},
    {"Unmute", Unmute, 0x33, {0x00, 0x00, 0x00}, same},
    // One code; byte 1 is the preset, offered as ten fixed commands.
    {"FTP update: preset 1", Misc, 0x41, {0x00, 0x01, 0xFF}, same},
    {"FTP update: preset 2", Misc, 0x41, {0x00, 0x02, 0xFF}, same},
    {"FTP update: preset 3", Misc, 0x41, {0x00, 0x03, 0xFF}, same},
    {"FTP update: preset 4", Misc, 0x41, {0x00, 0x04, 0xFF}, same},
    {"FTP update: preset 5", Misc, 0x41, {0x00, 0x05, 0xFF}, same},
    {"FTP update: preset 6", Misc, 0x41, {0x00, 0x06, 0xFF}, same},
    {"FTP update: preset 7", Misc, 0x41, {0x00, 0x07, 0xFF}, same},
    {"FTP update: preset 8", Misc, 0x41, {0x00, 0x08, 0xFF}, same},
    {"FTP update: preset 9", Misc, 0x41, {0x00, 0x09, 0xFF}, same},
    {"FTP update: preset 10", Misc, 0x41, {0x00, 0x0A, 0xFF}, same},
    {"Volume", Volume, 0x30, {0x00, 0x00, 0x00}, {0x00, 0x40, 0x00}},
};

// The code selects the envelope: 0x04 command, 0x03 volume, 0x02 status request. Command texts
// are the serial codes of the same commands, in decimal.
const TextRow tuneboxNetworkRows[] = {
    {"Play", Play, 0x04, noParameter, noParameter, "32"},
    {"Stop", Stop, 0x04, noParameter, noParameter, "34"},
    {"Next File", NextFile, 0x04, noParameter, noParameter, "35"},
    {"Previous File", PreviousFile, 0x04, noParameter, noParameter, "36"},
    // No text: the sender builds the volume envelope itself; the bytes only give the range.
    {"Volume", Volume, 0x03, {0x00, 0x00, 0x00}, {0x00, 0x40, 0x00}, ""},
    {"MUSIC folder (Random)", ContentFolder, 0x04, folderFirst, folderLast, "0"},
    {"MUSIC folder (Random + Reset)", ContentFolder, 0x04, folderFirst, folderLast, "1"},
    {"MUSIC folder (Sequential)", ContentFolder, 0x04, folderFirst, folderLast, "2"},
    {"MUSIC folder (Sequential + Reset)", ContentFolder, 0x04, folderFirst, folderLast, "3"},
    {"PLAYLIST folder (Random)", ContentFolder, 0x04, folderFirst, folderLast, "8"},
    {"PLAYLIST folder (Random + Reset)", ContentFolder, 0x04, folderFirst, folderLast, "9"},
    {"PLAYLIST folder (Sequential)", ContentFolder, 0x04, folderFirst, folderLast, "10"},
    {"PLAYLIST folder (Sequential + Reset)", ContentFolder, 0x04, folderFirst, folderLast, "11"},
    {"SPOT folder (Random)", ContentFolder, 0x04, folderFirst, folderLast, "16"},
    {"SPOT folder (Sequential)", ContentFolder, 0x04, folderFirst, folderLast, "17"},
    {"Webradio", Webradio, 0x04, presetFirst, presetLast, "64"},
    {"Alternate: Internal USB", AlternateSource, 0x04, noParameter, noParameter, "83"},
    {"Alternate: External USB", AlternateSource, 0x04, noParameter, noParameter, "82"},
    {"Alternate: SD card", AlternateSource, 0x04, noParameter, noParameter, "81"},
    {"Alternate: Internal HDD", AlternateSource, 0x04, noParameter, noParameter, "84"},
    {"Alternate: Aux input", AlternateSource, 0x04, noParameter, noParameter, "91"},
    {"Player status", Request, 0x02, noParameter, noParameter, "PlayerStatus"},
    {"Source", Request, 0x02, noParameter, noParameter, "Source"},
    {"Folder type", Request, 0x02, noParameter, noParameter, "FolderType"},
    {"Folder ID", Request, 0x02, noParameter, noParameter, "FolderID"},
    {"Folder mode", Request, 0x02, noParameter, noParameter, "FolderMode"},
    {"Playlist ID", Request, 0x02, noParameter, noParameter, "PlaylistID"},
    {"Playlist mode", Request, 0x02, noParameter, noParameter, "PlaylistMode"},
    {"Spot ID", Request, 0x02, noParameter, noParameter, "SpotID"},
    {"Spot mode", Request, 0x02, noParameter, noParameter, "SpotMode"},
    {"Playing file", Request, 0x02, noParameter, noParameter, "PlayingFile"},
    {"Remaining time", Request, 0x02, noParameter, noParameter, "RemainingTime"},
    {"Volume", Request, 0x02, noParameter, noParameter, "VolumeLocalMusic"},
    {"Webradio ID", Request, 0x02, noParameter, noParameter, "WebRadioID"},
    {"Webradio 1 name", Request, 0x02, noParameter, noParameter, "WRadio1Name"},
    {"Webradio 2 name", Request, 0x02, noParameter, noParameter, "WRadio2Name"},
    {"Webradio 3 name", Request, 0x02, noParameter, noParameter, "WRadio3Name"},
    {"Webradio 4 name", Request, 0x02, noParameter, noParameter, "WRadio4Name"},
    {"Webradio 5 name", Request, 0x02, noParameter, noParameter, "WRadio5Name"},
    {"Webradio 6 name", Request, 0x02, noParameter, noParameter, "WRadio6Name"},
    {"Webradio 7 name", Request, 0x02, noParameter, noParameter, "WRadio7Name"},
    {"Webradio 8 name", Request, 0x02, noParameter, noParameter, "WRadio8Name"},
    {"Webradio 9 name", Request, 0x02, noParameter, noParameter, "WRadio9Name"},
    {"Webradio 10 name", Request, 0x02, noParameter, noParameter, "WRadio10Name"},
};

PlayerCommand commandOf(const CommandRow &row)
{
    const ByteList &dataMax = row.dataMax.isEmpty() ? row.dataMin : row.dataMax;
    return PlayerCommand(QString::fromLatin1(row.label), row.category, row.code, row.dataMin,
                         dataMax);
}

ByteList withText(ByteList bytes, const char *text)
{
    for (const char *c = text; *c != '\0'; ++c)
        bytes.append(quint8(*c));
    return bytes;
}

PlayerCommand commandOf(const TextRow &row)
{
    return PlayerCommand(QString::fromLatin1(row.label), row.category, row.code,
                         withText(row.parameterMin, row.text),
                         withText(row.parameterMax, row.text));
}

template<typename Row, std::size_t N> QVector<PlayerCommand> commandList(const Row (&rows)[N])
{
    QVector<PlayerCommand> commands;
    commands.reserve(int(N));
    for (const Row &row : rows)
        commands.append(commandOf(row));
    return commands;
}

struct ModelRow
{
    const char *name;
    qint32 protocol;
    quint8 tcpLink;
    quint8 minId;
    quint8 maxId;
    quint8 folderBanks;
    qint32 defaultBaudRate;
    quint16 tcpPort;
    QVector<qint32> baudRates;
    QVector<PlayerCommand> commands;
};

constexpr qint32 addressed = 0;
constexpr qint32 unaddressed = 1;
constexpr quint8 serial = 0;
constexpr quint8 tcp = 1;
constexpr qint32 noBaudRate = -1;
constexpr quint16 noPort = 0;
constexpr quint16 videoPort = 65079;
constexpr quint16 tuneboxPort = 1234;

} // namespace

PlayerCatalogueList buildCatalogueModels()
{
    const QVector<PlayerCommand> compact = commandList(compactRows);
    const QVector<PlayerCommand> video = commandList(videoRows);
    const QVector<PlayerCommand> legacyVideo = commandList(legacyVideoRows);
    const QVector<PlayerCommand> amplifier = commandList(amplifierRows);
    const QVector<PlayerCommand> tuneboxSerial = commandList(tuneboxSerialRows);
    const QVector<PlayerCommand> tuneboxNetwork = commandList(tuneboxNetworkRows);
    const QVector<PlayerCommand> pocketuneLegacy = commandList(pocketuneLegacyRows);
    const QVector<PlayerCommand> cardtune = commandList(cardtuneRows);
    const QVector<PlayerCommand> fb300 = commandList(fb300Rows);

    const QVector<qint32> compactRates{9600, 19200, 38400};
    const QVector<qint32> videoRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    const QVector<qint32> amplifierRates{4800, 9600, 19200};
    const QVector<qint32> only115200{115200};
    const QVector<qint32> only19200{19200};
    const QVector<qint32> only9600{9600};
    const QVector<qint32> tcpRates;

    // name, protocol, link, minId, maxId, folderBanks, defaultBaudRate, tcpPort, baud rates,
    // commands
    const ModelRow models[] = {
        {"Timetune", addressed, serial, 0, 127, 8, 19200, noPort, compactRates, compact},
        {"Showtune (rev2)", addressed, serial, 0, 127, 8, 19200, noPort, compactRates, compact},
        {"Showcaster - SC900 (Serial)", addressed, serial, 0, 127, 8, 115200, noPort, videoRates,
         video},
        {"Showcaster - SC900 (TCP/IP)", addressed, tcp, 0, 0, 8, noBaudRate, videoPort, tcpRates,
         video},
        {"Boostbox 1", addressed, serial, 0, 127, 8, 19200, noPort, amplifierRates, amplifier},
        {"Pocketune rev2/3", addressed, serial, 0, 127, 8, 19200, noPort, compactRates, compact},
        {"Tunebox (Serial)", unaddressed, serial, 0, 0, 8, 115200, noPort, only115200,
         tuneboxSerial},
        {"Tunebox (NX) (TCP/IP)", unaddressed, tcp, 0, 0, 8, noBaudRate, tuneboxPort, tcpRates,
         tuneboxNetwork},
        {"Framebox - FB5xx (Serial)", addressed, serial, 0, 127, 8, 115200, noPort, videoRates,
         video},
        {"Framebox - FB5xx (TCP/IP)", addressed, tcp, 0, 0, 8, noBaudRate, videoPort, tcpRates,
         video},
        {"FB4xxQ(n) (Serial) (legacy)", addressed, serial, 0, 127, 2, 19200, noPort, only19200,
         legacyVideo},
        {"FB4xxQ(n) (TCP/IP) (legacy)", addressed, tcp, 0, 0, 8, noBaudRate, videoPort, tcpRates,
         legacyVideo},
        {"Pocketune (legacy)", addressed, serial, 0, 127, 8, 19200, noPort, only19200,
         pocketuneLegacy},
        {"Cardtune QX (legacy)", addressed, serial, 0, 127, 1, 9600, noPort, only9600, cardtune},
        {"FB300Qn (legacy)", addressed, serial, 0, 127, 1, 19200, noPort, only19200, fb300},
    };

    PlayerCatalogueList catalogue;
    catalogue.reserve(int(std::size(models)));
    for (const ModelRow &row : models) {
        PlayerModel model(QString::fromLatin1(row.name), row.protocol, row.tcpLink, row.minId,
                          row.maxId, row.folderBanks, row.defaultBaudRate, row.tcpPort);
        model.baudRates = row.baudRates;
        model.commands = row.commands;
        catalogue.append(model);
    }
    return catalogue;
}
