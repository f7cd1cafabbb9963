#pragma once

struct sqlite3;

// The province indexes leave out rows without a province. A catalogue made
// by an earlier version has full ones, which the engine walks in sorted order
// for "select distinct pcity", so the menus came out in code-point order
// instead of the catalogue's own.
namespace provinceindex {

// Replaces the full province index of either table (only the indexes under
// the shipped names, on the province alone) by the partial one, in one
// transaction. Does nothing on a catalogue that is read-only, in use, or
// already migrated; a failure leaves the indexes as they were.
void makePartial(sqlite3 *db);

} // namespace provinceindex
