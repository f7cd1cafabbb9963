#include "windowset.h"

#include "app/startup.h"
#include "forms/mainfrm.h"
#include "forms/setfrm.h"
#include "maintenancewindow.h"
#include "platform/trayhost.h"

WindowSet::WindowSet(Shown shown, std::optional<bool> trayHost)
    : m_trayHostDecided(trayHost.has_value())
{
    if (m_trayHostDecided)
        trayhost::setAvailabilityOverride(trayHost);
    startup::createWindowSet();
    if (shown != Shown::None)
        MainForm->show();
    if (shown == Shown::MaintenanceWindow)
        SetForm->openFromMainWindow();
}

WindowSet::~WindowSet()
{
    startup::destroyWindowSet();
    if (m_trayHostDecided)
        trayhost::setAvailabilityOverride(std::nullopt);
}

void WindowSetTest::openWindows(Shown shown, std::optional<bool> trayHost)
{
    m_fixture->windows.emplace(shown, trayHost);
}

MaintenanceWindow WindowSetTest::openMaintenanceWindow()
{
    if (!m_fixture->windows)
        openWindows(Shown::MainWindow);
    SetForm->openFromMainWindow();
    return {};
}
