#pragma once

#include "find/findengine.h"
#include "find/findtables.h"
#include "find/termmatch.h"

#include <QList>
#include <vector>

// The order of the papers a search found.
namespace find {

// The tier of a name (folded, with its readings as the index holds them)
// matched with `reach` by terms whose keys joined are `key`.
Tier tierOf(QStringView name, const Syllable *readings, const Tables &tables, QStringView key,
            Reach reach);

struct Candidate
{
    Tier tier = Tier::Secondary;
    quint32 entry = 0;
    Usage usage;
};

// Whether `a` comes before `b`: tier, then more often opened, then more
// lately, then catalogue order.
bool rankedBefore(const Candidate &a, const Candidate &b);

// The first `limit` entries of `candidates` in rank order.
QList<Found> best(std::vector<Candidate> candidates, qsizetype limit);

} // namespace find
