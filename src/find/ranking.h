#pragma once

#include "find/findengine.h"
#include "find/findtables.h"
#include "find/termmatch.h"

#include <QList>
#include <vector>

// The order of the papers a search found.
namespace find {

// Better tiers first: the whole name typed, its start, the initials of the
// whole name, any other match through primary readings, then matches that
// needed a character's other reading.
enum class Tier : quint8
{
    Equal,
    Prefix,
    Initials,
    Primary,
    Secondary
};

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
QList<qsizetype> best(std::vector<Candidate> candidates, qsizetype limit);

} // namespace find
