#include "app/startup.h"

#include "core/messagerules.h"
#include "forms/aboutfrm.h"
#include "forms/findfrm.h"
#include "forms/mainfrm.h"
#include "forms/setfrm.h"
#include "forms/statisticfrm.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QSqlDatabase>

namespace startup {

void createWindowSet()
{
    new TMainForm;
    AboutForm = new TAboutForm;
    SetForm = new TSetForm;
    StatisticForm = new TStatisticForm;
    MainForm->followSecondaryWindows({AboutForm, SetForm, StatisticForm});
}

void destroyWindowSet()
{
    destroyFindWindow();
    delete StatisticForm;
    StatisticForm = nullptr;
    delete SetForm;
    SetForm = nullptr;
    delete AboutForm;
    AboutForm = nullptr;
    delete MainForm;
}

bool checkDatabaseDriver()
{
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return true;
    messagebox::showLastChance(messagerules::lastChanceText(
        QStringLiteral("EOleException"), QCoreApplication::applicationName(), nullptr,
        QStringLiteral("Error creating object.  Please verify that Qt's SQLite driver (QSQLITE, "
                       "Debian package libqt6sql6-sqlite) has been properly installed")));
    return false;
}

int run(const QString &trayMessage)
{
    if (!checkDatabaseDriver())
        return 1;
    createWindowSet();
    MainForm->show();
    if (!trayMessage.isEmpty())
        MainForm->TrayIcon->showMessage(MainForm->TrayIcon->toolTip(), trayMessage);
    const int code = QApplication::exec();
    destroyWindowSet();
    return code;
}

} // namespace startup
