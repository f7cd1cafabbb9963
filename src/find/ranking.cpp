#include "find/ranking.h"

#include <algorithm>

namespace find {

namespace {

enum class Spelling
{
    Characters, // each character as itself
    Readings,   // each character by its primary reading
    Initials    // each character by its primary reading's first letter
};

enum class Fit
{
    None,
    Prefix,
    Equal
};

QStringView pieceOf(const QChar &c, const Syllable *readings, const Tables &tables,
                    Spelling spelling)
{
    if (spelling == Spelling::Characters || readings[0] == 0)
        return QStringView(&c, 1);
    const QString &syllable = tables.syllable(readings[1]);
    return spelling == Spelling::Initials ? QStringView(syllable).left(1) : QStringView(syllable);
}

// How `key` fits the name spelled one way, spaces left out: the whole of
// it, its start (the key may end inside a piece), or not at all.
Fit fitOf(QStringView name, const Syllable *readings, const Tables &tables, QStringView key,
          Spelling spelling)
{
    qsizetype at = 0;
    for (const QChar &c : name) {
        const Syllable *here = readings;
        readings += 1 + readings[0];
        if (c.isSpace())
            continue;
        if (at == key.size())
            return Fit::Prefix;
        const QStringView piece = pieceOf(c, here, tables, spelling);
        const QStringView rest = key.mid(at);
        if (rest.size() < piece.size())
            return piece.startsWith(rest) ? Fit::Prefix : Fit::None;
        if (!rest.startsWith(piece))
            return Fit::None;
        at += piece.size();
    }
    return at == key.size() ? Fit::Equal : Fit::None;
}

// Whether the key could fit the name from its start at all: its first
// character is the name's first, or the first letter of that one's reading.
// Most names fail here, before any of the walks.
bool mayFit(QStringView name, const Syllable *readings, const Tables &tables, QStringView key)
{
    for (const QChar &c : name) {
        if (!c.isSpace())
            return c == key.front() ||
                   (readings[0] > 0 && tables.syllable(readings[1]).front() == key.front());
        readings += 1 + readings[0];
    }
    return false;
}

} // namespace

Tier tierOf(QStringView name, const Syllable *readings, const Tables &tables, QStringView key,
            Reach reach)
{
    if (!key.isEmpty() && mayFit(name, readings, tables, key)) {
        const Fit characters = fitOf(name, readings, tables, key, Spelling::Characters);
        const Fit spelled = fitOf(name, readings, tables, key, Spelling::Readings);
        if (characters == Fit::Equal || spelled == Fit::Equal)
            return Tier::Equal;
        if (characters == Fit::Prefix || spelled == Fit::Prefix)
            return Tier::Prefix;
        if (fitOf(name, readings, tables, key, Spelling::Initials) == Fit::Equal)
            return Tier::Initials;
    }
    return reach == Reach::Secondary ? Tier::Secondary : Tier::Primary;
}

bool rankedBefore(const Candidate &a, const Candidate &b)
{
    if (a.tier != b.tier)
        return a.tier < b.tier;
    if (a.usage.count != b.usage.count)
        return a.usage.count > b.usage.count;
    if (a.usage.lastOpened != b.usage.lastOpened)
        return a.usage.lastOpened > b.usage.lastOpened;
    return a.entry < b.entry;
}

QList<Found> best(std::vector<Candidate> candidates, qsizetype limit)
{
    const auto end = candidates.begin() + std::clamp<qsizetype>(limit, 0, candidates.size());
    std::partial_sort(candidates.begin(), end, candidates.end(), rankedBefore);
    QList<Found> out;
    out.reserve(end - candidates.begin());
    for (auto it = candidates.begin(); it != end; ++it)
        out.append({it->entry, it->tier});
    return out;
}

} // namespace find
