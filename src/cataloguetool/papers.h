#pragma once

#include "cataloguetool/half.h"

#include <QList>
#include <QString>
#include <functional>

struct sqlite3;

// The papers of the catalogue as the command line shows them.
struct Paper
{
    half::Half half = half::Half::None;
    QString province;
    QString name;
    QString address;
    qint64 row = 0; // the row id in its half's table
};

namespace papers {

// Every paper of one half (both when `only` is None, domestic first) in the
// menus' order: the provinces as the engine lists them, then each
// province's papers.
QList<Paper> read(sqlite3 *db, half::Half only);

// Every paper as a Netscape bookmark file in UTF-8, in the menus' order,
// handed to `write` in pieces straight from the rows; `count` is set to the
// number of papers.
void writeBookmarkFile(sqlite3 *db, const std::function<void(QByteArrayView)> &write,
                       qsizetype *count);

enum class Format
{
    Text,
    Json,
    Csv
};

// One line per paper, tab-separated: half, province, name, address.
QString asText(const QList<Paper> &list);
QString asJson(const QList<Paper> &list);
// RFC 4180: a header line, fields quoted where they need it, CRLF line ends;
// a field that a spreadsheet would take for a formula (one starting with
// "=", "+", "-", "@", TAB or CR) is quoted with a "'" before it.
QString asCsv(const QList<Paper> &list);
QString formatted(const QList<Paper> &list, Format format);

} // namespace papers
