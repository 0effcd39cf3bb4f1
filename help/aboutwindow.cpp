#include "help/aboutwindow.h"
#include "help/helptexts.h"
#include "ui_aboutwindow.h"

#include <QIcon>
#include <QSysInfo>

namespace {

const QString copyrightLine = QStringLiteral("Copyright © 2026 Brevane Systems / Tessik");
constexpr int logoSize = 96;

} // namespace

aboutwindow::aboutwindow(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::aboutwindow)
{
    ui->setupUi(this);
    // Through an icon, so that a high-density screen gets the sharp double-size picture.
    ui->label->setPixmap(
        QIcon(QStringLiteral(":/Images/Help_Panel_New_Logo.png")).pixmap(logoSize, logoSize));
}

aboutwindow::~aboutwindow() = default;

void aboutwindow::fillInformation()
{
    AboutInformation information;
    information.applicationName = QCoreApplication::applicationName();
    information.applicationVersion = QCoreApplication::applicationVersion();
    information.copyright = copyrightLine;
    information.organisationName = QCoreApplication::organizationName();
    information.organisationDomain = QCoreApplication::organizationDomain();
    information.operatingSystem = operatingSystemDescription();
    ui->label_Infos->setText(aboutInformationText(information));
    setWindowTitle(tr("About") + QLatin1Char(' ') + QCoreApplication::applicationName());
}

QString aboutwindow::operatingSystemDescription()
{
#ifdef Q_OS_WIN
    const QString maker = tr("Microsoft");
#else
    const QString maker;
#endif
    return operatingSystemText(maker, QSysInfo::productType(), QSysInfo::productVersion());
}
