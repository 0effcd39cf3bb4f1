#include "app/mainwindow.h"
#include "help/aboutwindow.h"
#include "help/helptexts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

const QString supportAddress = QStringLiteral("support@tessik.example");

} // namespace

// Without a browser or a mail program the desktop opens nothing, and there is nobody to tell.
void MainWindow::on_action_Tessik_Home_Page_triggered()
{
    QDesktopServices::openUrl(QUrl(QCoreApplication::organizationDomain(), QUrl::TolerantMode));
}

void MainWindow::on_action_Contact_Technical_Support_triggered()
{
    const QString mail =
        supportMailText(supportAddress, tr("Brevane Systems / Tessik support request (from:"),
                        QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
                        tr("( write here your question... )"));
    // Tolerant parsing percent-encodes the spaces and the translated letters.
    QDesktopServices::openUrl(QUrl(mail, QUrl::TolerantMode));
}

void MainWindow::on_action_About_triggered()
{
    // No parent: with a parent, these flags alone would make it a child widget of the window.
    // Being modal, it keeps the console waiting until it is closed, which deletes it.
    auto *about = new aboutwindow;
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->fillInformation();
    about->setWindowFlags(Qt::WindowCloseButtonHint);
    about->show();
}
