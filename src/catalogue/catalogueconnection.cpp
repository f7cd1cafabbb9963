#include "catalogue/catalogueconnection.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguelocation.h"
#include "catalogue/connectionsettings.h"
#include "core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <atomic>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// How long a statement waits for another program's write before it fails.
constexpr int busyTimeoutMs = 3000;

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("kelvane-catalogue-%1").arg(++counter);
}

QByteArray journalMode(sqlite3 *db)
{
    sqlite3_stmt *statement = nullptr;
    QByteArray mode;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        mode = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return mode;
}

} // namespace

CatalogueConnection::CatalogueConnection(QString connectionString, Access access)
    : m_connectionString(std::move(connectionString)), m_access(access),
      m_name(uniqueConnectionName())
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

// The chosen catalogue file when there is one, else the connection string's.
QString CatalogueConnection::path() const
{
    const QString chosen = cataloguelocation::catalogueFile();
    return QFileInfo(chosen.isEmpty() ? connectionsettings::dataSource(m_connectionString) : chosen)
        .absoluteFilePath();
}

std::optional<CatalogueConnection::FileIdentity>
CatalogueConnection::identityOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                        qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

void CatalogueConnection::open()
{
    if (isOpen())
        return;
    const QString path = this->path();
    cataloguefile::checkExists(path);
    cataloguefile::prepareEngine();
    // Taken before the open: a file changed while it is opened and first
    // read differs from it, and is opened again at the next statement.
    const std::optional<FileIdentity> before = identityOf(path);
    openEngine(path);
    try {
        checkIsCatalogue(path);
    } catch (...) {
        close(); // the next statement tries again
        throw;
    }
    m_path = path;
    m_identity = before.value_or(FileIdentity{});
    if (m_access == Access::ReadWrite)
        switchToWal();
}

// A file: URI with mode=rw opens an existing file and never makes one. A
// reader that may not make the engine's working files beside the file (its
// folder refuses writes) reads it as immutable: nobody can write it then,
// as a writer needs those files too.
QString CatalogueConnection::databaseName(const QString &path) const
{
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    if (m_access == Access::ReadWrite)
        return uri + QStringLiteral("?mode=rw");
    if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable() &&
        !QFileInfo::exists(path + QStringLiteral("-shm")))
        return uri + QStringLiteral("?mode=ro&immutable=1");
    return uri + QStringLiteral("?mode=ro");
}

void CatalogueConnection::openEngine(const QString &path)
{
    QSqlDatabase db = database();
    db.setDatabaseName(databaseName(path));
    QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (connectionsettings::exclusive(m_connectionString))
        options += QStringLiteral(";QSQLITE_EXCLUSIVE_LOCKING");
    db.setConnectOptions(options);
    if (!db.open()) {
        const QSqlError error = db.lastError();
        const QString text =
            error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
        throw Failure::fromProvider(
            cataloguefile::engineMessage(path, error.nativeErrorCode().toInt(), text));
    }
}

void CatalogueConnection::followFile()
{
    if (!isOpen())
        return;
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (now == m_identity)
        return;
    // The log beside the path is this file's, and whoever opens a file at
    // the path next would replay it onto that file: one moved over this
    // one, or made anew after it was removed. It is folded into this file
    // while the connection still holds it. A file overwritten in place keeps
    // its log, which every writer empties after writing.
    if (!now || !now->sameFile(m_identity))
        emptyLog();
    // Writes to the old file would be lost with it; the engine never
    // removes the working files of a file that has moved.
    close();
    cataloguefile::checkExists(m_path);
    open();
}

void CatalogueConnection::close()
{
    QSqlDatabase db = database();
    db.close();
}

void CatalogueConnection::emptyLog()
{
    sqlite3 *db = handle();
    sqlite3_busy_timeout(db, 0);
    // The passive pass copies the log and syncs the file while other programs
    // go on writing; the truncating pass, which holds their writes off, then
    // finds nothing left to copy and only empties the log.
    sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    tookOwnWrite();
}

// The file changed by this connection's own write is still the file opened;
// only a file that is still the same one is taken as it is now.
void CatalogueConnection::tookOwnWrite()
{
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (now && now->sameFile(m_identity))
        m_identity = *now;
}

// In rollback-journal mode a reader holds off every writer; in WAL mode it
// does not. A writable catalogue is switched once, without waiting: a file
// in use by others, or one whose folder is read-only, keeps its mode.
void CatalogueConnection::switchToWal()
{
    sqlite3 *db = handle();
    if (sqlite3_db_readonly(db, "main") != 0 || journalMode(db) == "wal")
        return;
    sqlite3_busy_timeout(db, 0);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    tookOwnWrite();
}

// The engine opens any file, and reads it only with the first statement: one
// that reads the file's header tells whether it holds a database at all.
void CatalogueConnection::checkIsCatalogue(const QString &path)
{
    sqlite3 *db = handle();
    sqlite3_stmt *statement = nullptr;
    int pages = 0;
    int rc = sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        pages = rc == SQLITE_ROW ? sqlite3_column_int(statement, 0) : 0;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW)
        throw Failure::fromProvider(cataloguefile::lastFailure(db));
    if (pages == 0)
        throw Failure(cataloguefile::notACatalogue(path));
}

sqlite3 *CatalogueConnection::handle() const
{
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw Failure(QStringLiteral("The catalogue connection has no SQLite handle"));
    return *static_cast<sqlite3 *const *>(handle.constData());
}

bool CatalogueConnection::isOpen() const
{
    return database().isOpen();
}

QSqlDatabase CatalogueConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}
