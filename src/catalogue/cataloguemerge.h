#pragma once

#include "catalogue/mergerules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct sqlite3;

// Merging a starter catalogue into an open catalogue (see mergerules.h),
// and the base file kept beside the user's catalogue.
namespace cataloguemerge {

using Papers = QList<mergerules::Paper>;

// The papers of a starter or base: a catalogue file, or an SQL script that
// makes one (run on an empty database in memory, which it cannot leave).
// Throws a Failure naming the file.
Papers readPapers(const QString &path);
Papers papersOfScript(const QByteArray &sql, const QString &path);

// Points in a merge, for a caller that must know how far it got.
enum class Stage
{
    RowsWritten, // inside the transaction, before it is committed
    Committed
};
using StageReached = std::function<void(Stage)>;

// Decides what the starter brings and, unless `dryRun`, carries it out in
// one transaction (added papers after the catalogue's own rows). A row the
// user changed meanwhile is never overwritten. Throws a Failure and changes
// nothing when the catalogue cannot be written.
QList<mergerules::Decision> merge(sqlite3 *db, const std::optional<Papers> &base,
                                  const Papers &starter, bool dryRun,
                                  const StageReached &reached = {});

// The base file beside a catalogue: padr.mdb keeps padr.base.sql. It holds
// the starter's SQL as it was, after a first line with the starter's digest,
// so that an unchanged starter is known without reading any rows.
QString baseFileFor(const QString &cataloguePath);
QByteArray digestOf(const QByteArray &starterSql);
// The digest that the base file at `path` records; empty when there is none.
QByteArray recordedDigest(const QString &path);
// The base's papers; none when there is no base file.
std::optional<Papers> readBase(const QString &path);
// Writes the starter's SQL as the base: to a temporary file beside it,
// flushed, then renamed over the old base. Throws a Failure.
void writeBase(const QString &path, const QByteArray &starterSql);

} // namespace cataloguemerge
