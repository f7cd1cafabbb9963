#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;

// The catalogue as a file: what its first bytes say it is, and the messages
// for failures of the file itself, which name it so that the user knows
// which file to look at.
//
// The file is only ever opened by the engine while a connection may be open
// on it: closing any other descriptor of the file would drop the engine's
// locks on it for the whole process. Its first bytes are read only once the
// engine has found it is no database.
namespace cataloguefile {

enum class Format
{
    Empty,
    SQLite,
    Jet,
    Ace,
    Other
};

// The format that a file's first bytes (at least its first 32) show.
Format formatOf(const QByteArray &head);

// Called before every connection is opened; the first call sets the engine up:
// no page cache is set aside for each connection in advance (20 pages, 87 KB
// of written memory each), as pages are taken when read and a catalogue is a
// few pages.
void prepareEngine();

// Throws a Failure naming the file when it does not exist; it is never made.
void checkExists(const QString &path);

// The message for a failure of the engine with result code `code` on the
// file. A locked, read-only, damaged or unreadable file, or one of another
// format, is named with what that means; any other failure (a missing table,
// a malformed statement) keeps the engine's own text.
QString engineMessage(const QString &path, int code, const QString &text);

// engineMessage() for the last failure on an open connection's handle.
QString lastFailure(sqlite3 *db);

// The message for a file that holds no database, saying what it is instead.
QString notACatalogue(const QString &path);

} // namespace cataloguefile
