#pragma once

#include "catalogue/statement.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>

class CatalogueConnection;

// A window's one query object (its ADOQuery1). Every statement runs the same
// way: close, set the statement, then open it (rows) or execute it (changes).
// Rows are read forward from the first; failures throw a Failure.
class CatalogueQuery final
{
    Q_DISABLE_COPY_MOVE(CatalogueQuery)

public:
    CatalogueQuery(QString componentName, CatalogueConnection &connection);

    void close();
    void setStatement(const Statement &statement);
    void open();
    void execute();

    // Close, set and open in one step, as every reader does.
    void open(const Statement &statement);
    // Close, set and execute in one step.
    void execute(const Statement &statement);

    bool eof() const { return m_eof; }
    void next();

    // A field of the current row by column name. NULL cannot be read as text.
    QString fieldAsText(const QString &column) const;

    const QString &componentName() const { return m_componentName; }

private:
    void run();

    QString m_componentName;
    CatalogueConnection &m_connection;
    Statement m_statement;
    QSqlQuery m_query;
    QSqlRecord m_record; // the columns of the open result
    bool m_eof = true;
};
