#include "catalogue/statement.h"

QString Statement::text() const
{
    QString rendered;
    rendered.reserve(sql.size() + 16);
    qsizetype next = 0;
    for (const QChar c : sql) {
        if (c == u'?' && next < values.size())
            rendered += u'"' + values.at(next++) + u'"';
        else
            rendered += c;
    }
    return rendered;
}

namespace statements {

namespace {

Statement make(const QString &sql, QStringList values = {})
{
    return {sql, std::move(values)};
}

QString selectFrom(const QString &what, const QString &table)
{
    return QStringLiteral("select ") + what + QStringLiteral(" from ") + table;
}

// The condition that a column holds the statement's next value.
QString whereIs(const QString &column)
{
    return QStringLiteral(" where ") + column + QStringLiteral("=?");
}

} // namespace

using namespace catalogue;

Statement distinctProvinces(const QString &table)
{
    return make(selectFrom(QStringLiteral("distinct ") + provinceColumn, table));
}

Statement papersInProvince(const QString &table, const QString &province)
{
    return make(selectFrom(nameColumn, table) + whereIs(provinceColumn), {province});
}

Statement addressOfPaper(const QString &table, const QString &name)
{
    return make(selectFrom(addressColumn, table) + whereIs(nameColumn), {name});
}

Statement nameOfPaper(const QString &table, const QString &name)
{
    return make(selectFrom(nameColumn, table) + whereIs(nameColumn), {name});
}

Statement provinceOfProvince(const QString &table, const QString &province)
{
    return make(selectFrom(provinceColumn, table) + whereIs(provinceColumn), {province});
}

Statement insertPaper(const QString &table, const QString &province, const QString &name,
                      const QString &url)
{
    return make(QStringLiteral("insert into ") + table + QStringLiteral(" values(?,?,?)"),
                {province, name, url});
}

Statement paperByName(const QString &table, const QString &name)
{
    return make(selectFrom(QStringLiteral("*"), table) + whereIs(nameColumn), {name});
}

Statement deletePaper(const QString &table, const QString &name)
{
    return make(QStringLiteral("delete from ") + table + whereIs(nameColumn), {name});
}

Statement allNames(const QString &table)
{
    return make(selectFrom(nameColumn, table));
}

Statement papersWithAddresses(const QString &table)
{
    return make(QStringLiteral("select rowid, %1, ifnull(%2,''), ifnull(%3,'') from %4 where %1 is "
                               "not null order by rowid")
                    .arg(provinceColumn, nameColumn, addressColumn, table));
}

Statement changeAddress(const QString &table, const QString &row, const QString &oldAddress,
                        const QString &newAddress)
{
    return make(QStringLiteral("update ") + table + QStringLiteral(" set ") + addressColumn +
                    QStringLiteral("=? where rowid=? and ") + addressColumn + QStringLiteral("=?"),
                {newAddress, row, oldAddress});
}

Statement rowOfPaper(const QString &table, const QString &name)
{
    return make(selectFrom(QStringLiteral("rowid, ifnull(%1,''), ifnull(%2,'')")
                               .arg(provinceColumn, addressColumn),
                           table) +
                    whereIs(nameColumn) + QStringLiteral(" order by rowid limit 1"),
                {name});
}

Statement changePaper(const QString &table, const QString &row, const QString &oldProvince,
                      const QString &oldAddress, const QString &newAddress,
                      const std::optional<QString> &newProvince)
{
    QStringList values{newAddress, row, oldProvince, oldAddress};
    QString set = addressColumn + QStringLiteral("=?");
    if (newProvince) {
        set.prepend(provinceColumn + QStringLiteral("=?, "));
        values.prepend(*newProvince);
    }
    return make(QStringLiteral("update %1 set %2 where rowid=? and ifnull(%3,'')=? and "
                               "ifnull(%4,'')=?")
                    .arg(table, set, provinceColumn, addressColumn),
                values);
}

} // namespace statements
