// Writes the settings file that the console reads when it starts, in the console's own format
// and at the console's own path (under XDG_DATA_HOME when it is set): for the demo, the install
// test, and anyone preparing a console before its first start.

#include "catalogue/playercatalogue.h"
#include "config/configuration.h"
#include "config/configurationfile.h"
#include "connection/linksettings.h"
#include "startup/applicationidentity.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int usageError = 2;
constexpr int writeError = 1;

int fail(const QString &message, int status)
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    std::fputs((program + QStringLiteral(": ") + message + '\n').toUtf8().constData(), stderr);
    return status;
}

std::optional<ConfiguredLanguage> language(const QString &word)
{
    if (word == QLatin1String("English"))
        return ConfiguredLanguage::English;
    if (word == QLatin1String("French"))
        return ConfiguredLanguage::French;
    if (word == QLatin1String("default"))
        return ConfiguredLanguage::Default;
    return std::nullopt;
}

bool isCatalogueModel(const QString &name)
{
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    return std::any_of(catalogue.cbegin(), catalogue.cend(),
                       [&name](const PlayerModel &model) { return model.name == name; });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The console's identity names the file and its directory and fills its title lines.
    setApplicationIdentity();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the settings file that the console reads when it starts, where the console\n"
        "looks for it, and prints its path. Settings not given are left to the console."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption languageOption(
        QStringLiteral("language"), QStringLiteral("English, French or default (the system's)."),
        QStringLiteral("language"), QStringLiteral("default"));
    const QCommandLineOption modelOption(
        QStringLiteral("model"), QStringLiteral("The model's name, as the console lists it."),
        QStringLiteral("name"));
    const QCommandLineOption addressOption(QStringLiteral("address"),
                                           QStringLiteral("The device's IPv4 address."),
                                           QStringLiteral("a.b.c.d"), QStringLiteral("0.0.0.0"));
    const QCommandLineOption autoConnectionOption(
        QStringLiteral("auto-connection"), QStringLiteral("Connects as the console starts."));
    parser.addOptions({languageOption, modelOption, addressOption, autoConnectionOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText(), usageError);
    if (parser.isSet(helpOption)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first(),
                    usageError);

    ConfigurationSettings settings;
    const std::optional<ConfiguredLanguage> chosenLanguage = language(parser.value(languageOption));
    if (!chosenLanguage)
        return fail(QStringLiteral("unknown language: ") + parser.value(languageOption),
                    usageError);
    settings.language = *chosenLanguage;
    if (parser.isSet(modelOption)) {
        settings.model = parser.value(modelOption);
        if (!isCatalogueModel(*settings.model))
            return fail(QStringLiteral("unknown model: ") + *settings.model, usageError);
    }
    const auto deviceAddress = dottedAddress(parser.value(addressOption));
    if (!deviceAddress)
        return fail(QStringLiteral("not an IPv4 address: ") + parser.value(addressOption),
                    usageError);
    settings.address = *deviceAddress;
    settings.autoConnection = parser.isSet(autoConnectionOption);

    const QString path = userConfigurationPath();
    if (path.isEmpty())
        return fail(QStringLiteral("no data directory"), writeError);
    if (!writeConfigurationFile(path,
                                formatConfiguration(settings, QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion())))
        return fail(QStringLiteral("cannot write ") + path, writeError);
    std::fputs((path + '\n').toUtf8().constData(), stdout);
    return 0;
}
