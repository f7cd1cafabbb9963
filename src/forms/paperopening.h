#pragma once

#include <QString>

// Opening a paper's address, the same for the menus and the find window:
// the browser launch, its messages, and the count in the usage record.
namespace paperopening {

// Hands the paper's address to the browser, telling the user when that
// fails; a paper that opens is counted in the usage record afterwards, so the
// record never stands in the way of an opening.
void open(bool domestic, const QString &name, const QString &address);

} // namespace paperopening
