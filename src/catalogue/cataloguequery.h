#pragma once

#include "catalogue/statement.h"

#include <QString>
#include <QStringList>
#include <memory>

class CatalogueConnection;
struct sqlite3;
struct sqlite3_stmt;

// A window's one query object (its ADOQuery1). Every statement runs the same
// way: close, set the statement, then open it (rows) or execute it (changes).
// Rows are read forward from the first; failures throw a Failure. Rows are
// stepped with SQLite's own interface on the connection's handle, as a count
// steps through every row of a table.
class CatalogueQuery final
{
    Q_DISABLE_COPY_MOVE(CatalogueQuery)

public:
    CatalogueQuery(QString componentName, CatalogueConnection &connection);
    ~CatalogueQuery();

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
    struct Finalizer
    {
        void operator()(sqlite3_stmt *prepared) const;
    };

    void run();
    void step();
    int columnIndex(const QString &column) const;

    QString m_componentName;
    CatalogueConnection &m_connection;
    Statement m_statement;
    sqlite3 *m_db = nullptr; // the connection's handle while a statement is prepared
    std::unique_ptr<sqlite3_stmt, Finalizer> m_prepared;
    QStringList m_columns; // the columns of the open result
    bool m_eof = true;
};
