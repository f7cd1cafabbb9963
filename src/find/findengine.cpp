#include "find/findengine.h"

#include "find/findindex.h"
#include "find/ranking.h"
#include "find/termmatch.h"
#include "find/textfold.h"

#include <numeric>

namespace find {

namespace {

// The terms of a query, each prepared once for the whole scan, with what
// each finds among the provinces.
struct Query
{
    std::vector<Term> terms;
    std::vector<std::vector<Reach>> provinces; // per term, per province
    QString key;                               // the terms' keys joined, for the tier
};

Reach matchField(const Term &term, const Index &index, const Field &field)
{
    const QStringView text = index.text(field);
    if ((term.bits() & ~field.bits) == 0 && holds(text, term.text()))
        return Reach::Primary;
    return term.match(text, index.readings(field), field.letters);
}

Query prepared(const QString &all, const Index &index)
{
    Query query;
    for (const QStringView word : QStringView(all).split(u' ', Qt::SkipEmptyParts)) {
        const Term &term = query.terms.emplace_back(word.toString(), index.tables());
        query.key += term.key();
        std::vector<Reach> &provinces = query.provinces.emplace_back();
        for (const Field &province : index.provinces())
            provinces.push_back(matchField(term, index, province));
    }
    return query;
}

// How all terms match a row: the weakest of their matches, or None.
Reach matchRow(const Query &query, const Index &index, const Row &row)
{
    Reach all = Reach::Primary;
    for (std::size_t t = 0; t < query.terms.size(); ++t) {
        const Term &term = query.terms[t];
        Reach reach = (term.bits() & ~row.hostBits) == 0 && holds(index.host(row), term.text())
                          ? Reach::Primary
                          : query.provinces[t][row.province];
        if (reach != Reach::Primary) {
            const Reach byName = matchField(term, index, row.name);
            if (byName != Reach::None)
                reach = byName; // as good as the province's match or better
        }
        if (reach == Reach::None)
            return Reach::None;
        all = std::max(all, reach);
    }
    return all;
}

} // namespace

struct LastSearch
{
    const Index *index = nullptr;
    QString text; // folded
    std::vector<quint32> rows;
};

void Engine::setEntries(QList<Entry> entries)
{
    m_entries = std::move(entries);
    m_index.reset();
    m_last.reset();
}

void Engine::setTables(std::shared_ptr<const Tables> tables)
{
    m_tables = std::move(tables);
    m_index.reset();
    m_last.reset();
}

const Index &Engine::index() const
{
    if (!m_tables)
        m_tables = Tables::shared();
    if (!m_index)
        m_index = std::make_shared<const Index>(m_entries, *m_tables);
    return *m_index;
}

// Every term of a longer text matches where the shorter text's terms did,
// or fewer places: a term typed further, or one more term.
std::vector<quint32> Engine::candidateRows(const QString &folded) const
{
    if (m_last && m_last->index == m_index.get() && !m_last->text.isEmpty() &&
        folded.startsWith(m_last->text))
        return m_last->rows;
    std::vector<quint32> all(m_index->rows().size());
    std::iota(all.begin(), all.end(), 0);
    return all;
}

QList<qsizetype> Engine::search(const QString &query, qsizetype limit,
                                const std::function<Usage(qsizetype)> &usage) const
{
    QList<qsizetype> entries;
    for (const Found &found : rankedSearch(query, limit, usage))
        entries.append(found.entry);
    return entries;
}

QList<Found> Engine::rankedSearch(const QString &query, qsizetype limit,
                                  const std::function<Usage(qsizetype)> &usage) const
{
    const Index &index = this->index();
    const QString text = folded(query, index.tables()).simplified();
    const Query prepared = find::prepared(text, index);
    auto last = std::make_shared<LastSearch>(LastSearch{&index, text, {}});
    std::vector<Candidate> candidates;
    const std::vector<Row> &rows = index.rows();
    for (const quint32 i : candidateRows(text)) {
        const Row &row = rows[i];
        const Reach reach = matchRow(prepared, index, row);
        if (reach == Reach::None)
            continue;
        last->rows.push_back(i);
        const Field &name = row.name;
        candidates.push_back(
            {tierOf(index.text(name), index.readings(name), index.tables(), prepared.key, reach), i,
             usage ? usage(qsizetype(i)) : Usage{}});
    }
    m_last = std::move(last);
    return best(std::move(candidates), limit);
}

} // namespace find
