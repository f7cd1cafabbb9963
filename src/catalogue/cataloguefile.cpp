#include "catalogue/cataloguefile.h"

#include "core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace cataloguefile {

namespace {

QString formatMessage(const QString &path, Format format)
{
    const QString notOurs =
        QStringLiteral(": it is not a newspaper catalogue that this program can open");
    switch (format) {
    case Format::Empty:
        return QStringLiteral("The file '%1' is empty").arg(path) + notOurs;
    case Format::Jet:
        return QStringLiteral("The file '%1' is a Microsoft Access (Jet) database").arg(path) +
               notOurs;
    case Format::Ace:
        return QStringLiteral("The file '%1' is a Microsoft Access (ACE) database").arg(path) +
               notOurs;
    case Format::SQLite:
    case Format::Other:
        break;
    }
    return QStringLiteral("The file '%1' is not an SQLite 3 database").arg(path) + notOurs;
}

QString withDetail(const QString &message, const QString &text)
{
    return message + QStringLiteral(" (%1)").arg(text);
}

QString readOnly(const QString &path, const QString &text)
{
    return withDetail(
        QStringLiteral("The catalogue file '%1' is read-only: papers cannot be added or deleted")
            .arg(path),
        text);
}

} // namespace

Format formatOf(const QByteArray &head)
{
    if (head.isEmpty())
        return Format::Empty;
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return Format::SQLite;
    // An Access file: a version word 00 01 00 00, then its engine's name.
    if (head.startsWith(QByteArrayLiteral("\x00\x01\x00\x00Standard Jet DB")))
        return Format::Jet;
    if (head.startsWith(QByteArrayLiteral("\x00\x01\x00\x00Standard ACE DB")))
        return Format::Ace;
    return Format::Other;
}

void prepareEngine()
{
    // The engine takes its configuration only before it starts; a later call
    // changes nothing.
    static const int configured = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    Q_UNUSED(configured);
}

void checkExists(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw Failure(QStringLiteral("Could not find file '%1'").arg(path));
}

QString notACatalogue(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return engineMessage(path, SQLITE_CANTOPEN, file.errorString());
    return formatMessage(path, formatOf(file.read(32)));
}

QString engineMessage(const QString &path, int code, const QString &text)
{
    // The engine keeps two working files beside the catalogue; without them
    // it cannot even read it.
    if (code == SQLITE_READONLY_DIRECTORY)
        return withDetail(QStringLiteral("The catalogue file '%1' cannot be used: the folder "
                                         "that holds it is read-only")
                              .arg(path),
                          text);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return withDetail(QStringLiteral("The catalogue file '%1' is in use by another program; "
                                         "try again later")
                              .arg(path),
                          text);
    case SQLITE_READONLY:
        return readOnly(path, text);
    case SQLITE_CORRUPT:
        return withDetail(QStringLiteral("The catalogue file '%1' is damaged").arg(path), text);
    case SQLITE_NOTADB:
        return notACatalogue(path);
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_PERM:
        if (!QFileInfo(path).isReadable())
            return QStringLiteral("Could not read file '%1': Permission denied").arg(path);
        // A second reader of a read-only file cannot always open the engine's
        // working files, which take the file's permissions.
        if (!QFileInfo(path).isWritable())
            return readOnly(path, text);
        return withDetail(QStringLiteral("Could not use the catalogue file '%1'").arg(path), text);
    default:
        return text;
    }
}

QString lastFailure(sqlite3 *db)
{
    return engineMessage(QString::fromUtf8(sqlite3_db_filename(db, "main")),
                         sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace cataloguefile
