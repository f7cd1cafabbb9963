#include "catalogue/catalogueconnection.h"

#include "catalogue/connectionsettings.h"
#include "platform/failure.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <atomic>

namespace {

// How long a statement waits for another program's write before it fails.
constexpr int busyTimeoutMs = 3000;

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("kelvane-catalogue-%1").arg(++counter);
}

} // namespace

CatalogueConnection::CatalogueConnection(QString connectionString)
    : m_connectionString(std::move(connectionString)), m_name(uniqueConnectionName())
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

CatalogueConnection::~CatalogueConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void CatalogueConnection::open()
{
    if (isOpen())
        return;
    const QFileInfo file(connectionsettings::dataSource(m_connectionString));
    // The file is never created: a missing catalogue is a failure that names it.
    if (!file.exists())
        throw Failure(QStringLiteral("Could not find file '%1'").arg(file.absoluteFilePath()));

    QSqlDatabase db = database();
    // A file: URI with mode=rw opens an existing file and never makes one.
    db.setDatabaseName(QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (connectionsettings::exclusive(m_connectionString))
        options += QStringLiteral(";QSQLITE_EXCLUSIVE_LOCKING");
    db.setConnectOptions(options);
    if (!db.open()) {
        const QSqlError error = db.lastError();
        throw Failure::fromProvider(error.databaseText().isEmpty() ? error.driverText()
                                                                   : error.databaseText());
    }
}

bool CatalogueConnection::isOpen() const { return database().isOpen(); }

QSqlDatabase CatalogueConnection::database() const { return QSqlDatabase::database(m_name, false); }
