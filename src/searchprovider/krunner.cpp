#include "searchprovider/krunner.h"

#include "searchprovider/resultrules.h"
#include "searchprovider/service.h"

#include <QDBusMetaType>

namespace searchprovider {

void KRunnerProvider::registerTypes()
{
    qDBusRegisterMetaType<RemoteMatch>();
    qDBusRegisterMetaType<RemoteMatches>();
    qDBusRegisterMetaType<RemoteAction>();
    qDBusRegisterMetaType<RemoteActions>();
}

RemoteMatches KRunnerProvider::Match(const QString &query)
{
    PaperSearch &search = m_service.called();
    const QList<find::Found> found = search.search({query});
    RemoteMatches matches;
    for (qsizetype i = 0; i < found.size(); ++i) {
        const find::Entry &paper = search.entries().at(found[i].entry);
        matches.append({resultId(paper),
                        paper.name,
                        programIcon,
                        matchCategory(found[i].tier),
                        relevance(found[i].tier, i),
                        {{u"subtext"_qs, description(paper)}}});
    }
    return matches;
}

// The hits offer no actions, so any action id opens the paper.
void KRunnerProvider::Run(const QString &matchId, const QString &)
{
    m_service.called().open(matchId);
}

RemoteActions KRunnerProvider::Actions()
{
    m_service.called();
    return {};
}

QDBusArgument &operator<<(QDBusArgument &argument, const RemoteMatch &match)
{
    argument.beginStructure();
    argument << match.id << match.text << match.iconName << match.category << match.relevance
             << match.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteMatch &match)
{
    argument.beginStructure();
    argument >> match.id >> match.text >> match.iconName >> match.category >> match.relevance >>
        match.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const RemoteAction &action)
{
    argument.beginStructure();
    argument << action.id << action.text << action.iconName;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteAction &action)
{
    argument.beginStructure();
    argument >> action.id >> action.text >> action.iconName;
    argument.endStructure();
    return argument;
}

} // namespace searchprovider
