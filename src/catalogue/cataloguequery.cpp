#include "catalogue/cataloguequery.h"

#include "catalogue/catalogueconnection.h"
#include "core/failure.h"
#include "core/messagerules.h"

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
    const PreparedStatement &prepared = m_prepared.emplace(m_connection.handle(), m_statement.sql);
    m_prepared->bind(m_statement.values);
    for (int i = 0; i < prepared.columnCount(); ++i)
        m_columns.append(prepared.columnName(i));
}

// One step of the statement; true when it stands on a row. At the end, and
// on a failure, the statement is reset, so that it holds no lock on the file.
bool CatalogueQuery::step()
{
    if (m_prepared->step())
        return true;
    m_prepared->reset();
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
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_prepared->isNull(i))
            m_row.append(std::nullopt);
        else
            m_row.append(m_prepared->text(i));
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
    clearResult();
    m_statement = statement;
    m_prepared->bind(m_statement.values);
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
