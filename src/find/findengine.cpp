#include "find/findengine.h"

#include "find/findindex.h"
#include "find/ranking.h"
#include "find/termmatch.h"
#include "find/textfold.h"

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
    if (text.contains(term.text()))
        return Reach::Primary;
    return term.match(text, index.readings(field), field.letters);
}

Query prepared(const QString &text, const Index &index)
{
    Query query;
    const QString all = folded(text, index.tables()).simplified();
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
        Reach reach = index.host(row).contains(term.text()) ? Reach::Primary
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

void Engine::setEntries(QList<Entry> entries)
{
    m_entries = std::move(entries);
    m_index.reset();
}

void Engine::setTables(std::shared_ptr<const Tables> tables)
{
    m_tables = std::move(tables);
    m_index.reset();
}

const Index &Engine::index() const
{
    if (!m_tables)
        m_tables = Tables::shared();
    if (!m_index)
        m_index = std::make_shared<const Index>(m_entries, *m_tables);
    return *m_index;
}

QList<qsizetype> Engine::search(const QString &query, qsizetype limit,
                                const std::function<Usage(qsizetype)> &usage) const
{
    const Index &index = this->index();
    const Query prepared = find::prepared(query, index);
    std::vector<Candidate> candidates;
    const std::vector<Row> &rows = index.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        const Reach reach = matchRow(prepared, index, row);
        if (reach == Reach::None)
            continue;
        const Field &name = row.name;
        candidates.push_back(
            {tierOf(index.text(name), index.readings(name), index.tables(), prepared.key, reach),
             quint32(i), usage ? usage(qsizetype(i)) : Usage{}});
    }
    return best(std::move(candidates), limit);
}

} // namespace find
