#include "platform/trayhost.h"

#include <QSystemTrayIcon>

namespace trayhost {

namespace {
std::optional<bool> availabilityOverride;
}

bool isAvailable()
{
    if (availabilityOverride)
        return *availabilityOverride;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void setAvailabilityOverride(std::optional<bool> available)
{
    availabilityOverride = available;
}

} // namespace trayhost
