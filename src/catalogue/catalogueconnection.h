#pragma once

#include <QSqlDatabase>
#include <QString>

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

private:
    QString m_connectionString;
    QString m_name;
};
