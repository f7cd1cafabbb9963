// The statistics window's recount: every row of both tables stepped through
// the program's query object, against the same statements stepped with
// SQLite's own C interface. Run both in one process to compare them.
#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "catalogue/rowcount.h"
#include "catalogue/statement.h"
#include "generatedcatalogue.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int rowsPerTable = 1'000'000;

GeneratedCatalogue *catalogueFile = nullptr;

int countWithSqlite(sqlite3 *db, const QString &table)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, statements::allNames(table).sql.toUtf8().constData(), -1, &statement,
                       nullptr);
    int count = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        ++count;
    sqlite3_finalize(statement);
    return count;
}

void checkCounts(benchmark::State &state, int domestic, int foreign)
{
    if (domestic != rowsPerTable || foreign != rowsPerTable)
        state.SkipWithError("wrong count");
}

void BM_RecountThroughCatalogueQuery(benchmark::State &state)
{
    CatalogueConnection connection(connectionsettings::shortForm);
    CatalogueQuery query(QStringLiteral("ADOQuery1"), connection);
    for (auto _ : state) {
        const int domestic = rowcount::byStepping(query, catalogue::domesticTable);
        const int foreign = rowcount::byStepping(query, catalogue::foreignTable);
        checkCounts(state, domestic, foreign);
    }
    state.SetItemsProcessed(state.iterations() * 2 * rowsPerTable);
}

void BM_RecountWithSqliteC(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(catalogueFile->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        const int domestic = countWithSqlite(db, catalogue::domesticTable);
        const int foreign = countWithSqlite(db, catalogue::foreignTable);
        checkCounts(state, domestic, foreign);
    }
    state.SetItemsProcessed(state.iterations() * 2 * rowsPerTable);
    sqlite3_close(db);
}

BENCHMARK(BM_RecountThroughCatalogueQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecountWithSqliteC)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv); // loads the SQL driver plugin
    benchmark::Initialize(&argc, argv);
    GeneratedCatalogue file({rowsPerTable, 40, 0.0});
    catalogueFile = &file;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
