#include "catalogue/cataloguequery.h"

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguefile.h"
#include "core/failure.h"
#include "core/messagerules.h"

#include <sqlite3.h>

namespace {

Failure providerFailure(sqlite3 *db)
{
    return Failure::fromProvider(cataloguefile::lastFailure(db));
}

} // namespace

void CatalogueQuery::Finalizer::operator()(sqlite3_stmt *prepared) const
{
    sqlite3_finalize(prepared);
}

CatalogueQuery::CatalogueQuery(QString componentName, CatalogueConnection &connection)
    : m_componentName(std::move(componentName)), m_connection(connection)
{
}

CatalogueQuery::~CatalogueQuery() = default;

void CatalogueQuery::close()
{
    m_prepared.reset();
    m_columns.clear();
    clearResult();
}

void CatalogueQuery::clearResult()
{
    m_row.clear();
    m_eof = true;
    m_onRow = false;
    m_failure.reset();
}

void CatalogueQuery::setStatement(const Statement &statement)
{
    m_statement = statement;
}

void CatalogueQuery::followFile()
{
    close();
    m_connection.followFile();
}

void CatalogueQuery::run()
{
    m_connection.followFile();
    m_connection.open();
    m_db = m_connection.handle();
    const QByteArray sql = m_statement.sql.toUtf8();
    sqlite3_stmt *prepared = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &prepared, nullptr) != SQLITE_OK)
        throw providerFailure(m_db);
    m_prepared.reset(prepared);
    bindValues();
    for (int i = 0; i < sqlite3_column_count(prepared); ++i)
        m_columns.append(QString::fromUtf8(sqlite3_column_name(prepared, i)));
}

void CatalogueQuery::bindValues()
{
    for (int i = 0; i < m_statement.values.size(); ++i) {
        const QByteArray value = m_statement.values.at(i).toUtf8();
        sqlite3_bind_text(m_prepared.get(), i + 1, value.constData(), int(value.size()),
                          SQLITE_TRANSIENT);
    }
}

// One step of the statement; true when it stands on a row. At the end, and
// on a failure, the statement is reset, so that it holds no lock on the file.
bool CatalogueQuery::step()
{
    const int rc = sqlite3_step(m_prepared.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        const Failure failure = providerFailure(m_db);
        sqlite3_reset(m_prepared.get());
        throw failure;
    }
    sqlite3_reset(m_prepared.get());
    return false;
}

// The row the statement stands on becomes the current row, and the statement
// steps on. A failure of that step belongs to the next row: it is thrown when
// the reader moves on.
void CatalogueQuery::takeRow()
{
    m_row.clear();
    if (m_failure) {
        const Failure failure = *m_failure;
        m_failure.reset();
        m_eof = true;
        throw failure;
    }
    m_eof = !m_onRow;
    if (m_eof)
        return;
    sqlite3_stmt *prepared = m_prepared.get();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (sqlite3_column_type(prepared, i) == SQLITE_NULL) {
            m_row.append(std::nullopt);
            continue;
        }
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(prepared, i));
        m_row.append(QString::fromUtf8(text, sqlite3_column_bytes(prepared, i)));
    }
    try {
        m_onRow = step();
    } catch (const Failure &failure) {
        m_onRow = false;
        m_failure = failure;
    }
}

void CatalogueQuery::open()
{
    close();
    run();
    m_onRow = step();
    takeRow();
}

void CatalogueQuery::execute()
{
    close();
    run();
    while (step())
        ;
    m_connection.emptyLog();
}

void CatalogueQuery::open(const Statement &statement)
{
    close();
    setStatement(statement);
    open();
}

void CatalogueQuery::execute(const Statement &statement)
{
    close();
    setStatement(statement);
    execute();
}

void CatalogueQuery::reopen(const Statement &statement)
{
    if (!m_prepared || statement.sql != m_statement.sql) {
        open(statement);
        return;
    }
    sqlite3_reset(m_prepared.get());
    clearResult();
    m_statement = statement;
    bindValues();
    m_onRow = step();
    takeRow();
}

void CatalogueQuery::next()
{
    if (!m_eof)
        takeRow();
}

int CatalogueQuery::skipToEnd()
{
    if (m_eof)
        return 0;
    int count = 1;
    m_row.clear();
    m_eof = true;
    if (m_failure) {
        const Failure failure = *m_failure;
        m_failure.reset();
        throw failure;
    }
    try {
        for (; m_onRow; m_onRow = step())
            ++count;
    } catch (const Failure &) {
        m_onRow = false;
        throw;
    }
    return count;
}

int CatalogueQuery::columnIndex(const QString &column) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString CatalogueQuery::fieldAsText(const QString &column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw Failure(messagerules::componentMessage(
            m_componentName, QStringLiteral("Field '%1' not found").arg(column)));
    if (m_eof || !m_row.at(index))
        throw Failure(
            QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return *m_row.at(index);
}
