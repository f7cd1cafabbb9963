#include "generatedcatalogue.h"

#include "shippedschema.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace {

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void bind(sqlite3_stmt *statement, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void fill(sqlite3 *db, const char *table, const GeneratedCatalogue::Shape &shape)
{
    sqlite3_stmt *insert = nullptr;
    const QByteArray sql = QByteArray("insert into ") + table + " values(?,?,?)";
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr), db);
    for (int i = 0; i < shape.papers; ++i) {
        bind(insert, 1, QStringLiteral("省市%1").arg(i % shape.provinces));
        bind(insert, 2, GeneratedCatalogue::paperName(i, shape));
        bind(insert, 3, QStringLiteral("https://paper%1.example.com/").arg(i));
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

} // namespace

QString GeneratedCatalogue::paperName(int index, const Shape &shape)
{
    // Every n-th paper has a Latin name, the others Chinese ones.
    const int latinEvery = shape.latinShare > 0 ? int(1.0 / shape.latinShare) : 0;
    if (latinEvery > 0 && index % latinEvery == 0)
        return QStringLiteral("Daily Paper %1").arg(index);
    return QStringLiteral("第%1日报").arg(index);
}

GeneratedCatalogue::GeneratedCatalogue(const Shape &shape) : m_previousDir(QDir::currentPath())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("database"));
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    check(sqlite3_exec(db, shippedSchema().constData(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db);
    fill(db, "pinternal", shape);
    fill(db, "poverseas", shape);
    check(sqlite3_exec(db, "commit; PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
    QDir::setCurrent(m_dir.path());
}

GeneratedCatalogue::~GeneratedCatalogue()
{
    QDir::setCurrent(m_previousDir);
}

QString GeneratedCatalogue::path() const
{
    return m_dir.filePath(QStringLiteral("database/padr.mdb"));
}
