#pragma once

#include "cataloguetool/bookmarkfile.h"
#include "cataloguetool/papers.h"

#include <QList>
#include <QSet>
#include <QString>

struct sqlite3;

// Bookmarks into the catalogue: which are added, skipped or refused, and the
// whole import as one transaction.
namespace paperimport {

struct Decision
{
    enum class Kind
    {
        Add,
        Skip,
        Refuse
    };
    Kind kind = Kind::Refuse;
    Paper paper;
    QString reason; // why it is skipped or refused
};

// The comparison keys of the names already in each half.
struct ExistingNames
{
    QSet<QString> domestic;
    QSet<QString> foreign;
};

// The most characters a name or province may hold: far more than any paper's
// name, far less than a menu can show.
constexpr qsizetype maxTextLength = 1000;

// What becomes of each bookmark, in the file's order. A bookmark's half is
// its half folder's, else `fallback`; its province is its nearest folder.
// Texts are trimmed as the maintenance window trims its inputs; a name
// already in the half (or earlier in the file) is skipped, as the window
// refuses it; only web addresses are taken, and only names and provinces
// without control or format characters and of at most maxTextLength
// characters.
QList<Decision> plan(const QList<bookmarkfile::Bookmark> &bookmarks, half::Half fallback,
                     ExistingNames existing);

// Why a paper may not enter the catalogue (not a web address, no name, a
// name or province that cannot be shown); empty when it may.
QString refusal(const Paper &paper);

struct Summary
{
    qsizetype added = 0;
    qsizetype skipped = 0;
    qsizetype refused = 0;
};
Summary summarise(const QList<Decision> &decisions);

// Plans and, unless `dryRun`, adds the papers in one transaction on the
// open catalogue: a failure halfway leaves it as it was and throws.
QList<Decision> run(sqlite3 *db, const QList<bookmarkfile::Bookmark> &bookmarks,
                    half::Half fallback, bool dryRun);

} // namespace paperimport
