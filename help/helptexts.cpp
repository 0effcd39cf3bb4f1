#include "help/helptexts.h"

#include <QStringList>

QString supportMailText(const QString &address, const QString &subjectStart,
                        const QString &applicationName, const QString &applicationVersion,
                        const QString &body)
{
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") + subjectStart +
           QLatin1Char(' ') + applicationName + QStringLiteral(" - ") + applicationVersion +
           QStringLiteral(")&body=") + body;
}

QString aboutInformationText(const AboutInformation &information)
{
    const QString link = QStringLiteral("<a href=\"") + information.organisationDomain +
                         QStringLiteral("\">") + information.organisationDomain +
                         QStringLiteral("</a>");
    const QString paragraphs[] = {
        information.applicationName + QLatin1Char(' ') + information.applicationVersion,
        information.copyright,
        information.organisationName,
        link,
        information.operatingSystem,
    };
    QString text;
    for (const QString &paragraph : paragraphs)
        text += QStringLiteral("<p>") + paragraph + QStringLiteral("</p>");
    return text;
}

QString operatingSystemText(const QString &maker, const QString &productType,
                            const QString &productVersion)
{
    QStringList words{productType, productVersion};
    if (!maker.isEmpty())
        words.prepend(maker);
    return words.join(QLatin1Char(' '));
}
