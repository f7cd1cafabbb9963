#pragma once

#include "catalogue/mergerules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The base kept beside the user's catalogue: the starter rows it was last
// made or merged from, and the starter's digest. A text file of its own:
// a first line with the digest, then one line per paper, its half ("D" or
// "F"), province, name and address between tabs, with "\", tab, line feed
// and carriage return written as \\, \t, \n and \r. Reading it takes no SQL,
// and an unchanged starter is known from the first line alone.
namespace basefile {

using Papers = QList<mergerules::Paper>;

// padr.mdb keeps padr.base.
QString pathFor(const QString &cataloguePath);
QByteArray digestOf(const QByteArray &starterSql);

QByteArray encode(const QByteArray &digest, const Papers &papers);
// Whether the bytes start as a base file does.
bool isBase(const QByteArray &head);
// The papers of a base file's bytes; none when they are not one whole.
std::optional<Papers> decode(const QByteArray &bytes);

// The digest that the base file at `path` records; empty when there is none.
QByteArray recordedDigest(const QString &path);
// The base's papers: none when there is no file; throws a Failure when the
// file cannot be read or is damaged.
std::optional<Papers> read(const QString &path);
// Writes to a temporary file beside it, synced, then renamed over the old
// base in one step. Throws a Failure.
void write(const QString &path, const QByteArray &digest, const Papers &papers);

} // namespace basefile
