#pragma once

#include <QString>

namespace find {
class UsageRecord;
}

// Opening a paper's address, the same for the menus and the find window:
// the browser launch, its messages, and the count in the usage record.
namespace paperopening {

// The usage record at its default path, made at the first call and made
// again when the path has changed.
find::UsageRecord &usageRecord();

// Hands the paper's address to the browser, telling the user when that
// fails; a paper that opens is counted in the usage record afterwards, so the
// record never stands in the way of an opening.
void open(bool domestic, const QString &name, const QString &address);

} // namespace paperopening
