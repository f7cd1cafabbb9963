#include "catalogue/catalogueconnection.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguelocation.h"
#include "catalogue/connectionsettings.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/provinceindex.h"
#include "core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// How long a statement waits for another program's write before it fails.
constexpr int busyTimeoutMs = 3000;

// The file's journal mode; empty when it cannot be read.
QString journalMode(sqlite3 *db)
{
    try {
        PreparedStatement mode(db, QStringLiteral("PRAGMA journal_mode"));
        return mode.step() ? mode.text(0) : QString();
    } catch (const Failure &) {
        return {};
    }
}

// The number of pages the file holds; reading it reads the file's header.
qint64 pageCount(sqlite3 *db)
{
    PreparedStatement pages(db, QStringLiteral("PRAGMA page_count"));
    if (!pages.step())
        throw Failure::fromProvider(cataloguefile::lastFailure(db));
    return pages.integer(0);
}

} // namespace

CatalogueConnection::CatalogueConnection(QString connectionString, Access access)
    : m_connectionString(std::move(connectionString)), m_access(access)
{
}

CatalogueConnection::~CatalogueConnection()
{
    close();
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
        upgrade();
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

// The mode in the name (see databaseName) decides whether the file may be
// written; the open itself asks for reading and writing, as SQLite's own
// tools do, and fails on a file that cannot be opened at all. A connection
// is only ever used by the thread that made it, so it takes no lock of its
// own at each call (a fifth of an export's instructions went to them).
void CatalogueConnection::openEngine(const QString &path)
{
    const QByteArray name = databaseName(path).toUtf8();
    const int rc =
        sqlite3_open_v2(name.constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_PRIVATECACHE |
                            SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
        close();
        throw Failure::fromProvider(cataloguefile::engineMessage(path, rc, text));
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
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

// The queries' statements are finalized first: the engine keeps a
// connection with a statement left open.
void CatalogueConnection::close()
{
    sqlite3_close(m_db);
    m_db = nullptr;
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

// What a writable catalogue made by an earlier version gets once, without
// waiting: a file in use by others, or one whose folder is read-only, stays
// as it is. In rollback-journal mode a reader holds off every writer; in WAL
// mode it does not.
void CatalogueConnection::upgrade()
{
    sqlite3 *db = handle();
    if (sqlite3_db_readonly(db, "main") != 0)
        return;
    sqlite3_busy_timeout(db, 0);
    if (journalMode(db) != u"wal") {
        try {
            runSql(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        } catch (const Failure &) {
            // In use by others: it stays as it is.
        }
    }
    provinceindex::makePartial(db);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    tookOwnWrite();
}

// The engine opens any file, and reads it only with the first statement: one
// that reads the file's header tells whether it holds a database at all.
void CatalogueConnection::checkIsCatalogue(const QString &path)
{
    if (pageCount(handle()) == 0)
        throw Failure(cataloguefile::notACatalogue(path));
}

bool CatalogueConnection::isOpen() const
{
    return m_db != nullptr;
}
