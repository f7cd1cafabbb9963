#include "catalogue/preparedstatement.h"

#include "catalogue/cataloguefile.h"
#include "core/failure.h"

#include <sqlite3.h>

namespace {

Failure failureOf(sqlite3 *db)
{
    return Failure::fromProvider(cataloguefile::lastFailure(db));
}

} // namespace

PreparedStatement::PreparedStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr) !=
        SQLITE_OK)
        throw failureOf(db);
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_statement);
}

void PreparedStatement::bind(const QStringList &values)
{
    reset();
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray value = values.at(i).toUtf8();
        if (sqlite3_bind_text(m_statement, i + 1, value.constData(), int(value.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK)
            throw failureOf(m_db);
    }
}

bool PreparedStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        // Taken before the reset, which ends the read and the failed run.
        const Failure failure = failureOf(m_db);
        reset();
        throw failure;
    }
    return false;
}

void PreparedStatement::reset()
{
    sqlite3_reset(m_statement);
}

void PreparedStatement::run(const QStringList &values)
{
    bind(values);
    while (step()) {
    }
}

int PreparedStatement::changes() const
{
    return sqlite3_changes(m_db);
}

int PreparedStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString PreparedStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

bool PreparedStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

QString PreparedStatement::text(int column) const
{
    return QString::fromUtf8(bytes(column));
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

void runSql(sqlite3 *db, const QString &sql)
{
    PreparedStatement(db, sql).run({});
}

void rollbackQuietly(sqlite3 *db)
{
    if (sqlite3_get_autocommit(db))
        return;
    try {
        runSql(db, QStringLiteral("rollback"));
    } catch (const Failure &) {
    }
}
