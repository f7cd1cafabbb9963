#include "searchprovider/papersearch.h"

#include "core/browser.h"
#include "core/failure.h"
#include "core/printabletext.h"
#include "find/usagerecord.h"
#include "searchprovider/resultrules.h"

namespace searchprovider {

namespace {

// Names and ids come from the catalogue and the caller: shown with their
// control characters spelled out and cut short, so that one stays one line.
constexpr qsizetype shownLength = 80;

QString shown(const QString &text)
{
    return printabletext::visible(text, shownLength);
}

void log(const QString &text)
{
    qWarning("kelvane-search-provider: %s", qUtf8Printable(text));
}

} // namespace

bool PaperSearch::follow()
{
    try {
        m_catalogue.follow();
        m_failure.clear();
        return true;
    } catch (const Failure &failure) {
        if (failure.message() != m_failure)
            log(QStringLiteral("the catalogue cannot be read: %1").arg(failure.message()));
        m_failure = failure.message();
        return false;
    }
}

QList<find::Found> PaperSearch::search(const QStringList &terms)
{
    const QString query = queryOf(terms);
    if (query.trimmed().isEmpty() || !follow())
        return {};
    return m_catalogue.engine().rankedSearch(
        query, resultLimit, find::UsageRecord::atDefaultPath().usageOfEntries(entries()));
}

std::optional<find::Entry> PaperSearch::paper(const QString &id)
{
    if (!follow())
        return std::nullopt;
    return lookUp(id);
}

// A scan of the rows rather than a table of ids: the desktop asks for a few
// ids at a time, and a table would be made again at each change of the file.
std::optional<find::Entry> PaperSearch::lookUp(const QString &id) const
{
    const std::optional<PaperKey> key = paperKeyOf(id);
    if (!key)
        return std::nullopt;
    for (const find::Entry &entry : entries())
        if (isPaper(entry, *key))
            return entry;
    return std::nullopt;
}

void PaperSearch::open(const QString &id)
{
    if (!follow())
        return;
    const std::optional<find::Entry> paper = lookUp(id);
    if (!paper) {
        log(QStringLiteral("no paper to open: the result %1 is not in the catalogue")
                .arg(shown(id)));
        return;
    }
    switch (browser::open(paper->address)) {
    case browser::Opening::Opened:
        find::UsageRecord::atDefaultPath().recordOpened(paper->domestic, paper->name);
        break;
    case browser::Opening::NotWebAddress:
        log(QStringLiteral("%1 was not opened: its address is not a web address")
                .arg(shown(paper->name)));
        break;
    case browser::Opening::NoHandler:
        log(QStringLiteral("%1 was not opened: xdg-open could not be started")
                .arg(shown(paper->name)));
        break;
    }
}

} // namespace searchprovider
