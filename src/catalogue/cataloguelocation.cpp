#include "catalogue/cataloguelocation.h"

#include "catalogue/basefile.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguemerge.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/schema.h"
#include "core/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sqlite3.h>
#include <unistd.h>

namespace cataloguelocation {

namespace {

QString s_catalogueFile;

const QString fileName = QStringLiteral("padr.mdb");

bool holdsBothTables(sqlite3 *db)
{
    try {
        PreparedStatement tables(
            db, QStringLiteral("select count(*) from sqlite_master where type='table' and name "
                               "in (?,?)"));
        tables.bind({catalogue::domesticTable, catalogue::foreignTable});
        return tables.step() && tables.integer(0) == 2;
    } catch (const Failure &) {
        return false;
    }
}

// Runs the starter's statements on a new file at `path`, and reads back the
// papers made; returns what went wrong, or nothing.
QString buildFrom(const QString &path, const QByteArray &sql, cataloguemerge::Papers &papers)
{
    cataloguefile::prepareEngine();
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char *error = nullptr;
    // The starter is a script of many statements, which the engine runs in
    // one call. No file is in place before the one flush at the end (see
    // syncToDisk), so the engine need not flush at each step.
    const QByteArray script = QByteArrayLiteral("PRAGMA synchronous=OFF;\n") + sql;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &error);
    // A starter without both tables would leave an empty catalogue behind.
    if (rc == SQLITE_OK && !holdsBothTables(db))
        rc = SQLITE_NOTADB;
    QString text = rc == SQLITE_NOTADB && !error
                       ? QStringLiteral("it holds no newspaper tables")
                       : QString::fromUtf8(error ? error : sqlite3_errmsg(db));
    if (rc == SQLITE_OK) {
        try {
            papers = cataloguemerge::papersIn(db);
        } catch (const Failure &failure) {
            rc = SQLITE_ERROR;
            text = failure.message();
        }
    }
    sqlite3_free(error);
    // Closing the last connection folds the write-ahead log into the file.
    if (sqlite3_close(db) != SQLITE_OK && rc == SQLITE_OK)
        return QStringLiteral("it could not be closed");
    return rc == SQLITE_OK ? QString() : text;
}

// Writes the file's contents to the disk, so that the name put on it next
// never stands for a file cut short by a power failure.
bool syncToDisk(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
}

const QString workingFileSuffixes[] = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                       QStringLiteral("-journal")};

// The engine's working files beside a file at `path`.
void removeWorkingFiles(const QString &path)
{
    for (const QString &suffix : workingFileSuffixes)
        QFile::remove(path + suffix);
}

// The starter a new catalogue was made from, kept for the merge of a later
// one. Without it the next start only adds what the catalogue lacks, and
// writes it then.
void keepBase(const QString &path, const QByteArray &sql, const cataloguemerge::Papers &papers)
{
    try {
        basefile::write(basefile::pathFor(path), basefile::digestOf(sql), papers);
    } catch (const Failure &) {
    }
}

void removeWithJournal(const QString &path)
{
    QFile::remove(path);
    removeWorkingFiles(path);
}

} // namespace

Location choose(const QString &option, const QString &workingDirectory,
                const QString &userDataDirectory)
{
    // A relative option is read against the working directory it was typed in.
    const QDir here(workingDirectory);
    if (!option.isEmpty())
        return {Source::Option, QDir::cleanPath(here.absoluteFilePath(option))};
    const QString local =
        QDir::cleanPath(here.absoluteFilePath(QStringLiteral("database/padr.mdb")));
    if (QFileInfo(local).isFile())
        return {Source::WorkingDirectory, local};
    return {Source::UserData, QDir::cleanPath(QDir(userDataDirectory).filePath(fileName))};
}

QString userDataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kelvane");
}

QString starterCatalogue(const QString &applicationDirectory)
{
    return QDir::cleanPath(applicationDirectory + u'/' +
                           QStringLiteral(KELVANE_STARTER_FROM_BINDIR "/padr.sql"));
}

bool makeFromStarter(const QString &path, const QString &starterSql)
{
    if (QFileInfo::exists(path))
        return true;
    QFile starter(starterSql);
    if (!starter.open(QIODevice::ReadOnly))
        return false;
    const QByteArray sql = starter.readAll();
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        throw Failure(QStringLiteral("Could not make the folder '%1' for the catalogue")
                          .arg(target.absolutePath()));
    const QString temporary = target.absoluteFilePath() +
                              QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    removeWithJournal(temporary);
    cataloguemerge::Papers papers;
    QString error = buildFrom(temporary, sql, papers);
    if (error.isEmpty() && !syncToDisk(temporary))
        error = QStringLiteral("it could not be written to the disk");
    if (!error.isEmpty()) {
        removeWithJournal(temporary);
        throw Failure(QStringLiteral("Could not make the catalogue '%1' from the starter "
                                     "catalogue '%2': %3")
                          .arg(path, starterSql, error));
    }
    // A log left by a catalogue that was deleted without it would be
    // replayed onto the new file: the old papers back, or a damaged file.
    if (!QFileInfo::exists(path))
        removeWorkingFiles(path);
    // QFile::rename never replaces an existing file: a catalogue that another
    // start put in place meanwhile is kept, and this copy dropped.
    if (!QFile::rename(temporary, path)) {
        removeWithJournal(temporary);
        if (!QFileInfo::exists(path))
            throw Failure(QStringLiteral("Could not put the catalogue in place at '%1'").arg(path));
        return true;
    }
    keepBase(path, sql, papers);
    return true;
}

void setCatalogueFile(const QString &path)
{
    s_catalogueFile = path;
}

QString catalogueFile()
{
    return s_catalogueFile;
}

Location resolve(const QString &option)
{
    const Location location = choose(option, QDir::currentPath(), userDataDirectory());
    if (location.source == Source::UserData)
        makeFromStarter(location.path, starterCatalogue(QCoreApplication::applicationDirPath()));
    setCatalogueFile(location.path);
    return location;
}

} // namespace cataloguelocation
