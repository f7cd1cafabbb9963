#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// Finds papers by what a reader types. The entries are given in catalogue
// order; the index over them is built at the first search, never before.
namespace find {

class Index;
class Tables;
struct LastSearch;

struct Entry
{
    QString name;
    QString province; // the province, city or country it is listed under
    QString address;
    bool domestic = true;
};

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

// An entry a search found (an index into entries()) and how well it matched.
struct Found
{
    qsizetype entry = 0;
    Tier tier = Tier::Secondary;
};

// How often and how lately the user opened a paper.
struct Usage
{
    int count = 0;
    qint64 lastOpened = 0; // seconds since the epoch; 0 for never
};

class Engine final
{
public:
    // The papers to search, in catalogue order. Drops the index: the next
    // search builds it again.
    void setEntries(QList<Entry> entries);
    const QList<Entry> &entries() const { return m_entries; }

    // The readings and traditional characters to match by; the tables of
    // the data file (Tables::shared()) when none are set. Drops the index.
    void setTables(std::shared_ptr<const Tables> tables);

    // The entries (indices into entries()) that match every whitespace-
    // separated term of `query`, best first, at most `limit` of them.
    // `usage` gives an entry's usage, which breaks ties between equally good
    // matches; without it ties keep the catalogue's order. An empty query
    // matches every entry, the most used first.
    QList<qsizetype> search(const QString &query, qsizetype limit,
                            const std::function<Usage(qsizetype)> &usage = {}) const;
    // The same search, with each entry's tier.
    QList<Found> rankedSearch(const QString &query, qsizetype limit,
                              const std::function<Usage(qsizetype)> &usage = {}) const;

private:
    const Index &index() const;
    std::vector<quint32> candidateRows(const QString &folded) const;

    QList<Entry> m_entries;
    mutable std::shared_ptr<const Tables> m_tables;
    mutable std::shared_ptr<const Index> m_index;
    // What the last search matched: a search for more of the same text
    // (the next key typed) looks only among those.
    mutable std::shared_ptr<LastSearch> m_last;
};

} // namespace find
