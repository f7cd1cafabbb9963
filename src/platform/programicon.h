#pragma once

#include <QIcon>

// The program's own icon, a folded newspaper drawn at 16, 22, 32 and 48
// pixels (scripts/make-icon). It is the notification icon and the windows'
// icon.
namespace programicon {
QIcon icon();
} // namespace programicon
