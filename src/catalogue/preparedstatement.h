#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

// The one way a statement reaches the engine, for both programs: prepared
// once on an open catalogue's handle and run any number of times with new
// values, which are always bound as parameters, never pasted into the SQL.
// Failures throw a Failure naming the file.
class PreparedStatement final
{
    Q_DISABLE_COPY_MOVE(PreparedStatement)

public:
    PreparedStatement(sqlite3 *db, const QString &sql);
    ~PreparedStatement();

    // Resets the statement and binds the values in order.
    void bind(const QStringList &values);
    // The next row; false at the end. The statement stays at its end (and a
    // reader keeps its view of the file) until it is reset or bound again.
    bool step();
    // Ends the run, so that the statement holds no lock on the file.
    void reset();
    // Runs the statement with the values to its end.
    void run(const QStringList &values);
    // The rows that the last run inserted, changed or deleted.
    int changes() const;

    int columnCount() const;
    QString columnName(int column) const;
    bool isNull(int column) const;
    // The column's text; a NULL reads as an empty text.
    QString text(int column) const;
    // The column's UTF-8 bytes, valid until the next step.
    QByteArrayView bytes(int column) const;
    qint64 integer(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// Runs SQL without values, such as "begin immediate".
void runSql(sqlite3 *db, const QString &sql);
// Rolls back the open transaction, if any; a failure to do so is ignored,
// as the engine rolls back itself when the connection closes.
void rollbackQuietly(sqlite3 *db);
