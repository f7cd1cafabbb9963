#pragma once

#include <QString>
#include <optional>

struct sqlite3;

// One window's connection to the catalogue file (its ADOConnection1): an
// SQLite connection on an existing file, never creating it. It remembers
// which file it opened (device, inode, size and modification time), so that
// a file replaced, overwritten or removed underneath is noticed before the
// next statement.
class CatalogueConnection final
{
    Q_DISABLE_COPY_MOVE(CatalogueConnection)

public:
    enum class Access
    {
        ReadWrite, // the windows, and commands that write
        ReadOnly   // commands that only read: they never change the file
    };

    explicit CatalogueConnection(QString connectionString, Access access = Access::ReadWrite);
    ~CatalogueConnection();

    // Opens the file when it is not open yet; throws a Failure otherwise.
    void open();
    bool isOpen() const;
    // Makes sure an open connection is on the file now at its path: one
    // replaced or overwritten since it was opened is closed and the new one
    // opened; one removed closes the connection and throws the missing-file
    // failure. The connection's queries must be closed first.
    void followFile();
    // Folds the write-ahead log into the file and empties it, without
    // waiting for other readers. Called after each write: a log left beside
    // a file that another program then replaces would be read as the new
    // file's. The file's identity is taken again: the change is our own.
    void emptyLog();
    // The open connection's SQLite handle; none while closed.
    sqlite3 *handle() const { return m_db; }

    // The file the connection opens: the chosen catalogue file when there is
    // one, else its connection string's.
    QString path() const;

    // Which file is at a path and how it stands: a reader of the whole
    // catalogue compares it to know whether the rows it read are still current.
    struct FileIdentity
    {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds
        bool operator==(const FileIdentity &) const = default;
        bool sameFile(const FileIdentity &other) const
        {
            return device == other.device && inode == other.inode;
        }
    };
    static std::optional<FileIdentity> identityOf(const QString &path);

private:
    QString databaseName(const QString &path) const;
    void openEngine(const QString &path);
    void checkIsCatalogue(const QString &path);
    void upgrade();
    void tookOwnWrite();
    void close();

    QString m_connectionString;
    Access m_access;
    sqlite3 *m_db = nullptr; // while open
    QString m_path;          // the file opened, while open
    FileIdentity m_identity; // and which file that was
};
