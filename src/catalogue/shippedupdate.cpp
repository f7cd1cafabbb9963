#include "catalogue/shippedupdate.h"

#include "catalogue/basefile.h"
#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/connectionsettings.h"
#include "core/failure.h"

#include <QFile>
#include <future>
#include <sqlite3.h>

namespace shippedupdate {

namespace {

// A base that cannot be read is no base: only missing papers are added.
std::optional<cataloguemerge::Papers> baseOrNone(const QString &path)
{
    try {
        return basefile::read(path);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<mergerules::Summary> run(const QString &starterSql,
                                       const cataloguemerge::StageReached &reached)
{
    QFile file(starterSql);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray sql = file.readAll();
    CatalogueConnection connection(connectionsettings::longForm);
    const QString basePath = basefile::pathFor(connection.path());
    const QByteArray digest = basefile::digestOf(sql);
    if (basefile::recordedDigest(basePath) == digest)
        return std::nullopt;
    // The starter's rows are read while the base's are.
    std::future<cataloguemerge::Papers> papers =
        std::async(std::launch::async, cataloguemerge::papersOfScript, sql, starterSql);
    const std::optional<cataloguemerge::Papers> base = baseOrNone(basePath);
    connection.open();
    if (sqlite3_db_readonly(connection.handle(), "main") != 0)
        throw Failure(cataloguefile::engineMessage(connection.path(), SQLITE_READONLY,
                                                   QStringLiteral("read-only")));
    const cataloguemerge::Papers starter = papers.get();
    const QList<mergerules::Decision> decisions =
        cataloguemerge::merge(connection.handle(), base, starter, false, reached);
    connection.emptyLog();
    basefile::write(basePath, digest, starter);
    return mergerules::summarise(decisions);
}

} // namespace shippedupdate
