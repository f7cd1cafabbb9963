#include "cataloguetool/papers.h"

#include "catalogue/preparedstatement.h"
#include "catalogue/statement.h"
#include "cataloguetool/bookmarkfile.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <vector>

namespace papers {

namespace {

// Makes `out` hold the bytes, reusing its buffer: a row's province is
// compared and looked up without an allocation.
void copyInto(QByteArray &out, QByteArrayView bytes)
{
    out.resize(bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin());
}

// The key of a province as the column compares it (ASCII case ignored),
// over its UTF-8 bytes.
void provinceKeyInto(QByteArray &key, QByteArrayView province)
{
    copyInto(key, province);
    for (char &c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
}

// The menus list a half's provinces as "select distinct pcity" gives them
// and each province's papers as "where pcity=?" finds them: by the column's
// comparison, in row order. One pass over the table, grouped the same way,
// gives that order without a lookup per province. `take` gets each row with
// its group's number; `give` each group's province and number in order.
void inMenuOrder(sqlite3 *db, const QString &table,
                 const std::function<void(qsizetype group, const PreparedStatement &row)> &take,
                 const std::function<void(QByteArrayView province, qsizetype group)> &give)
{
    QHash<QByteArray, qsizetype> groups;
    PreparedStatement rows(db, statements::papersWithAddresses(table).sql);
    rows.bind({});
    QByteArray previous;
    QByteArray key;
    qsizetype group = -1;
    while (rows.step()) {
        const QByteArrayView province = rows.bytes(1);
        if (group < 0 || province != previous) {
            copyInto(previous, province);
            provinceKeyInto(key, province);
            const auto found = groups.constFind(key);
            group = found != groups.constEnd() ? found.value()
                                               : groups.insert(key, groups.size()).value();
        }
        take(group, rows);
    }
    PreparedStatement provinces(db, statements::distinctProvinces(table).sql);
    provinces.bind({});
    while (provinces.step()) {
        const QByteArrayView province = provinces.bytes(0);
        provinceKeyInto(key, province);
        const auto found = groups.constFind(key);
        if (found == groups.constEnd())
            continue; // NULL, or a province already listed
        give(province, found.value());
        groups.erase(found);
    }
}

void readHalf(sqlite3 *db, half::Half which, QList<Paper> &out)
{
    std::vector<QList<Paper>> groups;
    inMenuOrder(
        db, half::table(which),
        [&](qsizetype group, const PreparedStatement &row) {
            if (group >= qsizetype(groups.size()))
                groups.resize(group + 1);
            groups[group].append({which, {}, row.text(2), row.text(3), row.integer(0)});
        },
        [&](QByteArrayView province, qsizetype group) {
            const QString name = QString::fromUtf8(province);
            for (Paper &paper : groups[group]) {
                paper.province = name;
                out.append(std::move(paper));
            }
        });
}

// A spreadsheet reads a cell that starts with one of these as a formula
// ("=cmd|' /C calc'!A0", "@SUM(1+1)"): from a hostile bookmark file it
// would run when the export is opened.
bool startsAFormula(const QString &field)
{
    return !field.isEmpty() && QStringView(u"=+-@\t\r").contains(field.front());
}

QString csvField(const QString &field)
{
    const bool formula = startsAFormula(field);
    if (!formula && !field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r'))
        return field;
    // A leading quote makes the cell text, as spreadsheet-safe writers do.
    QString quoted = formula ? u'\'' + field : field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QList<Paper> read(sqlite3 *db, half::Half only)
{
    QList<Paper> out;
    for (const half::Half which : {half::Half::Domestic, half::Half::Foreign})
        if (only == half::Half::None || only == which)
            readHalf(db, which, out);
    return out;
}

void writeBookmarkFile(sqlite3 *db, const std::function<void(QByteArrayView)> &write,
                       qsizetype *count)
{
    *count = 0;
    QByteArray piece = bookmarkfile::header();
    for (const half::Half which : {half::Half::Domestic, half::Half::Foreign}) {
        std::vector<QByteArray> bodies; // each province's bookmark lines
        bool started = false;
        inMenuOrder(
            db, half::table(which),
            [&](qsizetype group, const PreparedStatement &row) {
                if (group >= qsizetype(bodies.size()))
                    bodies.resize(group + 1);
                bookmarkfile::appendBookmark(bodies[group], row.bytes(2), row.bytes(3));
                ++*count;
            },
            [&](QByteArrayView province, qsizetype group) {
                if (!started)
                    bookmarkfile::appendHalfStart(piece, which);
                started = true;
                bookmarkfile::appendFolderStart(piece, province);
                write(piece);
                write(bodies[group]);
                bodies[group] = {};
                piece.clear();
                bookmarkfile::appendFolderEnd(piece);
            });
        if (started)
            bookmarkfile::appendHalfEnd(piece);
    }
    piece += bookmarkfile::footer();
    write(piece);
}

QString asText(const QList<Paper> &list)
{
    QString out;
    for (const Paper &paper : list)
        out += half::word(paper.half) + u'\t' + paper.province + u'\t' + paper.name + u'\t' +
               paper.address + u'\n';
    return out;
}

QString asJson(const QList<Paper> &list)
{
    QJsonArray array;
    for (const Paper &paper : list)
        array.append(QJsonObject{{QStringLiteral("half"), half::word(paper.half)},
                                 {QStringLiteral("province"), paper.province},
                                 {QStringLiteral("name"), paper.name},
                                 {QStringLiteral("address"), paper.address}});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

QString asCsv(const QList<Paper> &list)
{
    QString out = QStringLiteral("half,province,name,address\r\n");
    for (const Paper &paper : list)
        out += half::word(paper.half) + u',' + csvField(paper.province) + u',' +
               csvField(paper.name) + u',' + csvField(paper.address) + QStringLiteral("\r\n");
    return out;
}

QString formatted(const QList<Paper> &list, Format format)
{
    switch (format) {
    case Format::Json:
        return asJson(list);
    case Format::Csv:
        return asCsv(list);
    case Format::Text:
        break;
    }
    return asText(list);
}

} // namespace papers
