#include "cataloguetool/papers.h"

#include "catalogue/statement.h"
#include "cataloguetool/preparedstatement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace papers {

namespace {

void readHalf(sqlite3 *db, half::Half which, QList<Paper> &out)
{
    const QString table = half::table(which);
    const Statement provincesStatement = statements::distinctProvinces(table);
    PreparedStatement provinces(db, provincesStatement.sql);
    provinces.bind({});
    QStringList names;
    QSet<QString> seen; // NULL and "" both read as ""
    while (provinces.step()) {
        const QString province = provinces.text(0);
        if (!seen.contains(province)) {
            seen.insert(province);
            names.append(province);
        }
    }
    PreparedStatement rows(db, statements::papersWithAddressesInProvince(table, {}).sql);
    for (const QString &province : std::as_const(names)) {
        rows.bind({province});
        while (rows.step())
            out.append({which, province, rows.text(1), rows.text(2), rows.integer(0)});
    }
}

QString csvField(const QString &field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r'))
        return field;
    QString quoted = field;
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

bool matches(const Paper &paper, const QString &text)
{
    const QString key = catalogue::comparisonKey(text);
    for (const QString *field : {&paper.name, &paper.province, &paper.address})
        if (catalogue::comparisonKey(*field).contains(key))
            return true;
    return false;
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
