#include "find/findengine.h"

namespace find {

void Engine::setEntries(QList<Entry> entries)
{
    m_entries = std::move(entries);
}

// A first cut: every term a case-insensitive substring of the name, the
// province or the address.
QList<qsizetype> Engine::search(const QString &query, qsizetype limit,
                                const std::function<Usage(qsizetype)> &usage) const
{
    Q_UNUSED(usage);
    const QStringList terms = query.split(QChar(u' '), Qt::SkipEmptyParts);
    QList<qsizetype> found;
    for (qsizetype i = 0; i < m_entries.size() && found.size() < limit; ++i) {
        const Entry &entry = m_entries.at(i);
        const bool all = std::all_of(terms.cbegin(), terms.cend(), [&](const QString &term) {
            return entry.name.contains(term, Qt::CaseInsensitive) ||
                   entry.province.contains(term, Qt::CaseInsensitive) ||
                   entry.address.contains(term, Qt::CaseInsensitive);
        });
        if (all)
            found.append(i);
    }
    return found;
}

} // namespace find
