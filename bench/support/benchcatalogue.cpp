#include "benchcatalogue.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace {

// The shipped catalogue's script: its schema, then its starter rows.
QByteArray shippedScript()
{
    const auto script = std::filesystem::path(__FILE__).parent_path() / "../../database/padr.sql";
    QFile file(QString::fromStdString(script.string()));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("database/padr.sql not found");
    return file.readAll();
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// Rows shaped like real ones: a province, a name and an address each.
void fill(sqlite3 *db, const char *table, int rows)
{
    sqlite3_stmt *insert = nullptr;
    const QByteArray sql = QByteArray("insert into ") + table + " values(?,?,?)";
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr), db);
    for (int i = 0; i < rows; ++i) {
        const QByteArray province = "省份" + QByteArray::number(i % 40);
        const QByteArray name = "报纸" + QByteArray::number(i);
        const QByteArray url = "http://www.paper" + QByteArray::number(i) + ".example.com/";
        sqlite3_bind_text(insert, 1, province.constData(), int(province.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, name.constData(), int(name.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, url.constData(), int(url.size()), SQLITE_STATIC);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

} // namespace

BenchCatalogue::BenchCatalogue(int rowsPerTable) : m_previousDir(QDir::currentPath())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("database"));
    sqlite3 *db = nullptr;
    check(sqlite3_open(path().toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, shippedScript().constData(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "begin; delete from pinternal; delete from poverseas;", nullptr, nullptr,
                       nullptr),
          db);
    fill(db, "pinternal", rowsPerTable);
    fill(db, "poverseas", rowsPerTable);
    check(sqlite3_exec(db, "commit; PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
    QDir::setCurrent(m_dir.path());
}

BenchCatalogue::~BenchCatalogue()
{
    QDir::setCurrent(m_previousDir);
}

QString BenchCatalogue::path() const
{
    return m_dir.filePath(QStringLiteral("database/padr.mdb"));
}
