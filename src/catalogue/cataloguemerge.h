#pragma once

#include "catalogue/mergerules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct sqlite3;

// Merging a starter catalogue into an open catalogue (see mergerules.h).
namespace cataloguemerge {

using Papers = QList<mergerules::Paper>;

// The papers of a starter or base: a catalogue file, a base file (basefile.h)
// or an SQL script that makes a catalogue (run on an empty database in
// memory, which it cannot leave). Throws a Failure naming the file.
Papers readPapers(const QString &path);
Papers papersOfScript(const QByteArray &sql, const QString &path);
// The papers of an open catalogue, each half in its rows' order.
Papers papersIn(sqlite3 *db);

// Points in a merge, for a caller that must know how far it got.
enum class Stage
{
    RowsWritten, // inside the transaction, before it is committed
    Committed
};
using StageReached = std::function<void(Stage)>;

// Why a paper may not be written; empty when it may.
using Refusal = std::function<QString(const mergerules::Paper &)>;

// Decides what the starter brings and, unless `dryRun`, carries it out in
// one transaction (added papers after the catalogue's own rows). A row the
// user changed meanwhile is never overwritten; a paper to be added or
// updated that `refusal` refuses is left out. Throws a Failure and changes
// nothing when the catalogue cannot be written.
QList<mergerules::Decision> merge(sqlite3 *db, const std::optional<Papers> &base,
                                  const Papers &starter, bool dryRun,
                                  const StageReached &reached = {}, const Refusal &refusal = {});

} // namespace cataloguemerge
