#pragma once

#include "catalogue/preparedstatement.h"
#include "catalogue/statement.h"
#include "core/failure.h"

#include <QString>
#include <QStringList>
#include <optional>

class CatalogueConnection;

// A window's one query object (its ADOQuery1). Every statement runs the same
// way: close, set the statement, then open it (rows) or execute it (changes).
// Rows are read forward from the first; failures throw a Failure. Rows are
// stepped with SQLite's own interface on the connection's handle, as a count
// steps through every row of a table. The statement runs one row ahead of the
// row read: once the last row is read it is reset, so a result read to its
// end, such as a lookup of one paper, holds no read lock on the file.
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
    // open(statement) for a loop that reads the same SQL with other values
    // (each province's papers): while the last statement is still prepared,
    // it is reset and bound to the new values instead of prepared again. The
    // loop runs in one go, so the connection is not checked for a file
    // replaced in between; any other statement opens as open() does.
    void reopen(const Statement &statement);

    bool eof() const { return m_eof; }
    void next();
    // Steps past the current row and every one after it without reading a
    // field; returns how many rows that was.
    int skipToEnd();

    // Closes the query and makes sure its connection is on the file now at
    // the catalogue's path (see CatalogueConnection::followFile).
    void followFile();

    // A field of the current row by column name. NULL cannot be read as text.
    QString fieldAsText(const QString &column) const;

    const QString &componentName() const { return m_componentName; }

private:
    void run();
    void clearResult();
    bool step();
    void takeRow();
    int columnIndex(const QString &column) const;

    QString m_componentName;
    CatalogueConnection &m_connection;
    Statement m_statement;
    std::optional<PreparedStatement> m_prepared;
    QStringList m_columns;               // the columns of the open result
    QList<std::optional<QString>> m_row; // the current row; std::nullopt is NULL
    bool m_eof = true;
    bool m_onRow = false;             // the statement stands on the row after m_row
    std::optional<Failure> m_failure; // met while stepping ahead, thrown by next()
};
