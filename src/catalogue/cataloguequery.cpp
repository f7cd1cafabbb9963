#include "catalogue/cataloguequery.h"

#include "catalogue/catalogueconnection.h"
#include "platform/failure.h"
#include "platform/messagerules.h"

#include <QSqlError>
#include <QSqlRecord>

namespace {

Failure providerFailure(const QSqlError &error)
{
    return Failure::fromProvider(error.databaseText().isEmpty() ? error.driverText()
                                                                : error.databaseText());
}

} // namespace

CatalogueQuery::CatalogueQuery(QString componentName, CatalogueConnection &connection)
    : m_componentName(std::move(componentName)), m_connection(connection)
{
}

void CatalogueQuery::close()
{
    m_query = QSqlQuery();
    m_record = QSqlRecord();
    m_eof = true;
}

void CatalogueQuery::setStatement(const Statement &statement) { m_statement = statement; }

void CatalogueQuery::run()
{
    m_connection.open();
    m_query = QSqlQuery(m_connection.database());
    m_query.setForwardOnly(true);
    if (!m_query.prepare(m_statement.sql))
        throw providerFailure(m_query.lastError());
    for (const QString &value : m_statement.values)
        m_query.addBindValue(value);
    if (!m_query.exec())
        throw providerFailure(m_query.lastError());
    m_record = m_query.record();
}

void CatalogueQuery::open()
{
    close();
    run();
    next();
}

void CatalogueQuery::execute()
{
    close();
    run();
    m_query.finish();
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
    m_eof = !m_query.next();
    if (m_eof && m_query.lastError().isValid())
        throw providerFailure(m_query.lastError());
}

QString CatalogueQuery::fieldAsText(const QString &column) const
{
    const int index = m_record.indexOf(column);
    if (index < 0)
        throw Failure(messagerules::componentMessage(
            m_componentName, QStringLiteral("Field '%1' not found").arg(column)));
    const QVariant value = m_query.value(index);
    if (value.isNull())
        throw Failure(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return value.toString();
}
