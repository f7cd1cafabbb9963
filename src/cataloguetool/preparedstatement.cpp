#include "cataloguetool/preparedstatement.h"

#include "catalogue/cataloguefile.h"
#include "core/failure.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void fail(sqlite3 *db)
{
    throw Failure::fromProvider(cataloguefile::lastFailure(db));
}

} // namespace

PreparedStatement::PreparedStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_statement, nullptr) != SQLITE_OK)
        fail(db);
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_statement);
}

void PreparedStatement::bind(const QStringList &values)
{
    sqlite3_reset(m_statement);
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray value = values.at(i).toUtf8();
        if (sqlite3_bind_text(m_statement, i + 1, value.constData(), int(value.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK)
            fail(m_db);
    }
}

bool PreparedStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        sqlite3_reset(m_statement);
        fail(m_db);
    }
    return false;
}

void PreparedStatement::run(const QStringList &values)
{
    bind(values);
    while (step()) {
    }
}

QString PreparedStatement::text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView PreparedStatement::bytes(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

qint64 PreparedStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

void runSql(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db);
}

void rollbackQuietly(sqlite3 *db)
{
    if (!sqlite3_get_autocommit(db))
        sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
}
