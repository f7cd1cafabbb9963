#include "catalogue/provinceindex.h"

#include "catalogue/preparedstatement.h"
#include "catalogue/schema.h"
#include "core/failure.h"

#include <QStringList>
#include <sqlite3.h>

namespace provinceindex {

namespace {

QString indexOf(const QString &table)
{
    return table + u'_' + catalogue::provinceColumn;
}

// The shipped province indexes that are still full and on the province
// alone; an index of the user's under another name is theirs.
QStringList fullIndexTables(sqlite3 *db)
{
    PreparedStatement full(
        db, QStringLiteral("select l.name from pragma_index_list(?) l where l.name=? and "
                           "l.partial=0 and (select group_concat(name) from "
                           "pragma_index_info(l.name))=? collate nocase"));
    QStringList tables;
    for (const QString &table : {catalogue::domesticTable, catalogue::foreignTable}) {
        full.bind({table, indexOf(table), catalogue::provinceColumn});
        if (full.step())
            tables << table;
    }
    return tables;
}

void replace(sqlite3 *db, const QStringList &tables)
{
    runSql(db, QStringLiteral("begin immediate"));
    try {
        for (const QString &table : tables) {
            const QString index = indexOf(table);
            runSql(db, QStringLiteral("drop index ") + index);
            runSql(db, QStringLiteral("create index %1 on %2 (%3) where %3 is not null")
                           .arg(index, table, catalogue::provinceColumn));
        }
        runSql(db, QStringLiteral("commit"));
    } catch (const Failure &) {
        rollbackQuietly(db);
    }
}

} // namespace

void makePartial(sqlite3 *db)
{
    if (sqlite3_db_readonly(db, "main") != 0)
        return;
    try {
        const QStringList tables = fullIndexTables(db);
        if (!tables.isEmpty())
            replace(db, tables);
    } catch (const Failure &) {
        // A catalogue without the tables: the statements that need them say so.
    }
}

} // namespace provinceindex
