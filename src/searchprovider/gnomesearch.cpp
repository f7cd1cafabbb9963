#include "searchprovider/gnomesearch.h"

#include "searchprovider/resultrules.h"
#include "searchprovider/service.h"

#include <QCoreApplication>
#include <QDBusMetaType>
#include <QProcess>

namespace searchprovider {

void GnomeSearchProvider::registerTypes()
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
}

QStringList GnomeSearchProvider::GetInitialResultSet(const QStringList &terms)
{
    return resultSet(terms);
}

// A search of its own rather than a filter of the ids before: the shell
// keeps only the few it showed, and a paper that ranks first for more of the
// text may not have been among them. The engine narrows a longer text to what
// the shorter one matched by itself.
QStringList GnomeSearchProvider::GetSubsearchResultSet(const QStringList &,
                                                       const QStringList &terms)
{
    return resultSet(terms);
}

QStringList GnomeSearchProvider::resultSet(const QStringList &terms)
{
    PaperSearch &search = m_service.called();
    QStringList ids;
    for (const find::Found &found : search.search(terms))
        ids.append(resultId(search.entries().at(found.entry)));
    return ids;
}

// The shell shows the name and the description as plain text. An id that
// names no paper now gets no entry.
QList<QVariantMap> GnomeSearchProvider::GetResultMetas(const QStringList &ids)
{
    PaperSearch &search = m_service.called();
    QList<QVariantMap> metas;
    for (const QString &id : ids) {
        const std::optional<find::Entry> paper = search.paper(id);
        if (!paper)
            continue;
        metas.append({{u"id"_qs, id},
                      {u"name"_qs, paper->name},
                      {u"description"_qs, description(*paper)},
                      {u"gicon"_qs, programIcon}});
    }
    return metas;
}

void GnomeSearchProvider::ActivateResult(const QString &id, const QStringList &, uint)
{
    m_service.called().open(id);
}

// The find window of the program installed beside this one, with the terms:
// `kelvane --find` hands them to a Kelvane already running, or starts one.
// After "--", so that no term is read as an option.
void GnomeSearchProvider::LaunchSearch(const QStringList &terms, uint)
{
    m_service.called();
    QStringList arguments{u"--find"_qs};
    const QString text = queryOf(terms);
    if (!text.trimmed().isEmpty())
        arguments << u"--"_qs << text;
    const QString program = QCoreApplication::applicationDirPath() + u"/kelvane";
    if (!QProcess::startDetached(program, arguments))
        qWarning("kelvane-search-provider: %s could not be started", qUtf8Printable(program));
}

} // namespace searchprovider
