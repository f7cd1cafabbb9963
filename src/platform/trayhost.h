#pragma once

#include <optional>

// Whether the desktop has a notification area (a tray host) to hold the
// program's icon. Without one the program must keep its taskbar button, or a
// hidden window could be neither reached nor ended.
namespace trayhost {

bool isAvailable();

// Tests decide the answer while an override is set; std::nullopt asks the
// desktop again.
void setAvailabilityOverride(std::optional<bool> available);

} // namespace trayhost
