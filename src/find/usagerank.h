#pragma once

#include "find/findengine.h"

#include <QList>
#include <functional>

// How the papers the user opened rank among themselves.
namespace find {

// Whether `a` was opened more often than `b`, or as often and more lately.
bool usedMore(const Usage &a, const Usage &b);

// The entries 0..count-1 that were opened at least once, most opened first;
// ties keep the catalogue's order. At most `limit` of them.
QList<qsizetype> mostOpened(qsizetype count, const std::function<Usage(qsizetype)> &usage,
                            qsizetype limit);

} // namespace find
