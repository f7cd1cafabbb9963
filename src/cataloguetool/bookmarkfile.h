#pragma once

#include "cataloguetool/half.h"

#include <QList>
#include <QString>

// The Netscape bookmark file that every browser reads and writes. The reader
// is tolerant of what browsers and bookmark tools write (any case, missing
// end tags, unquoted attributes, a truncated file) and takes linear time on
// any input; it needs no widgets.
namespace bookmarkfile {

using half::Half;

struct Bookmark
{
    QString name;
    QString address;
    // The nearest enclosing folder, empty when there is none or when it is
    // itself a half's folder.
    QString folder;
    // The outermost enclosing half folder, None when there is none.
    Half half = Half::None;
};

struct ReadResult
{
    // False when the text is no bookmark file at all.
    bool isBookmarkFile = false;
    QList<Bookmark> bookmarks;
};

ReadResult read(QStringView text);

// One bookmark of a file to write, in the order it is written: consecutive
// bookmarks of the same half and folder share one folder.
struct Entry
{
    Half half = Half::None;
    QString folder;
    QString name;
    QString address;
};

QString write(const QList<Entry> &entries);

// The same file in pieces of UTF-8, for a large catalogue written straight
// from its rows: the header, then per half its start, its folders (each a
// start, bookmarks and an end) and its end, then the footer.
QByteArray header();
QByteArray footer();
void appendHalfStart(QByteArray &out, Half half);
void appendHalfEnd(QByteArray &out);
void appendFolderStart(QByteArray &out, QByteArrayView name);
void appendFolderEnd(QByteArray &out);
void appendBookmark(QByteArray &out, QByteArrayView name, QByteArrayView address);

// "&", "<", ">" and double quotes as entities; everything else (emoji,
// right-to-left text) as it is.
QString escaped(QStringView text);
// Character references (named, decimal, hexadecimal) replaced by their
// characters; unknown ones kept as written.
QString unescaped(QStringView text);

} // namespace bookmarkfile
