#pragma once

#include <QString>

// The support e-mail as one text, before URL parsing: subjectStart and body are translated,
// the name and version are not. The subject reads "<subjectStart> <name> - <version>)".
QString supportMailText(const QString &address, const QString &subjectStart,
                        const QString &applicationName, const QString &applicationVersion,
                        const QString &body);

struct AboutInformation
{
    QString applicationName;
    QString applicationVersion;
    QString copyright;
    QString organisationName;
    QString organisationDomain;
    QString operatingSystem;
};

// Rich text, one paragraph per piece; the domain links to itself.
QString aboutInformationText(const AboutInformation &information);

// "<maker> <type> <version>", or without the maker when it is empty.
QString operatingSystemText(const QString &maker, const QString &productType,
                            const QString &productVersion);
