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
    m_eof = true;
}

void CatalogueQuery::setStatement(const Statement &statement)
{
    m_statement = statement;
}

void CatalogueQuery::run()
{
    m_connection.open();
    m_db = m_connection.handle();
    const QByteArray sql = m_statement.sql.toUtf8();
    sqlite3_stmt *prepared = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &prepared, nullptr) != SQLITE_OK)
        throw providerFailure(m_db);
    m_prepared.reset(prepared);
    for (int i = 0; i < m_statement.values.size(); ++i) {
        const QByteArray value = m_statement.values.at(i).toUtf8();
        sqlite3_bind_text(prepared, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    for (int i = 0; i < sqlite3_column_count(prepared); ++i)
        m_columns.append(QString::fromUtf8(sqlite3_column_name(prepared, i)));
}

// One step of the open statement. At the end the statement is reset, so an
// open result holds no read lock on the file.
void CatalogueQuery::step()
{
    const int rc = sqlite3_step(m_prepared.get());
    m_eof = rc != SQLITE_ROW;
    if (rc == SQLITE_ROW)
        return;
    if (rc != SQLITE_DONE) {
        const Failure failure = providerFailure(m_db);
        sqlite3_reset(m_prepared.get());
        throw failure;
    }
    sqlite3_reset(m_prepared.get());
}

void CatalogueQuery::open()
{
    close();
    run();
    step();
}

void CatalogueQuery::execute()
{
    close();
    run();
    do
        step();
    while (!m_eof);
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

void CatalogueQuery::next()
{
    if (!m_eof)
        step();
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
    if (m_eof || sqlite3_column_type(m_prepared.get(), index) == SQLITE_NULL)
        throw Failure(
            QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_prepared.get(), index));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_prepared.get(), index));
}
