#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// One window's connection to the catalogue file (its ADOConnection1): a named
// SQLite connection, opened read-write on an existing file, never creating it.
class CatalogueConnection final
{
    Q_DISABLE_COPY_MOVE(CatalogueConnection)

public:
    explicit CatalogueConnection(QString connectionString);
    ~CatalogueConnection();

    // Opens the file when it is not open yet; throws a Failure otherwise.
    void open();
    bool isOpen() const;
    QSqlDatabase database() const;
    // The SQLite handle under the open connection's Qt driver.
    sqlite3 *handle() const;

private:
    void checkIsCatalogue(const QString &path);

    QString m_connectionString;
    QString m_name;
};
