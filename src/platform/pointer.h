#pragma once

#include <optional>

class QWidget;

// The pointer and the top-level window under it.
namespace pointer {

// Whether the top-level window under the pointer is `window`. Its caption bar
// and border count as part of it; an open drop-down menu, or another window
// over it, does not.
bool isOver(const QWidget *window);

// Whether a pointer button is held down, as while the user drags a window by
// its caption bar; std::nullopt where that cannot be told.
std::optional<bool> buttonHeld();

} // namespace pointer
