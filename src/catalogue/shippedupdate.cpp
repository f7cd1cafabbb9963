#include "catalogue/shippedupdate.h"

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/connectionsettings.h"
#include "core/failure.h"

#include <QFile>
#include <sqlite3.h>

namespace shippedupdate {

namespace {

// A base that cannot be read is no base: only missing papers are added.
std::optional<cataloguemerge::Papers> baseOrNone(const QString &path)
{
    try {
        return cataloguemerge::readBase(path);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<mergerules::Summary> run(const QString &starterSql,
                                       const cataloguemerge::StageReached &reached)
{
    QFile starter(starterSql);
    if (!starter.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray sql = starter.readAll();
    CatalogueConnection connection(connectionsettings::longForm);
    const QString basePath = cataloguemerge::baseFileFor(connection.path());
    if (cataloguemerge::recordedDigest(basePath) == cataloguemerge::digestOf(sql))
        return std::nullopt;
    const cataloguemerge::Papers papers = cataloguemerge::papersOfScript(sql, starterSql);
    connection.open();
    if (sqlite3_db_readonly(connection.handle(), "main") != 0)
        throw Failure(cataloguefile::engineMessage(connection.path(), SQLITE_READONLY,
                                                   QStringLiteral("read-only")));
    const QList<mergerules::Decision> decisions =
        cataloguemerge::merge(connection.handle(), baseOrNone(basePath), papers, false, reached);
    connection.emptyLog();
    cataloguemerge::writeBase(basePath, sql);
    return mergerules::summarise(decisions);
}

} // namespace shippedupdate
