#pragma once

#include <QString>

// The user's record of the papers they opened, kept apart from the
// catalogue: $XDG_STATE_HOME/kelvane/usage.json.
namespace find {

// The record's path ($XDG_STATE_HOME, by default ~/.local/state).
QString usageRecordPath();

// Removes the record; true when none is left.
bool forgetUsage();

} // namespace find
