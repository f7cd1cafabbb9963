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
} // namespace

Statement distinctProvinces(const QString &table)
{
    return make(QStringLiteral("select distinct pcity from ") + table);
}

Statement papersInProvince(const QString &table, const QString &province)
{
    return make(QStringLiteral("select pname from ") + table + QStringLiteral(" where pcity=?"),
                {province});
}

Statement addressOfPaper(const QString &table, const QString &name)
{
    return make(QStringLiteral("select purl from ") + table + QStringLiteral(" where pname=?"),
                {name});
}

Statement nameOfPaper(const QString &table, const QString &name)
{
    return make(QStringLiteral("select pname from ") + table + QStringLiteral(" where pname=?"),
                {name});
}

Statement provinceOfProvince(const QString &table, const QString &province)
{
    return make(QStringLiteral("select pcity from ") + table + QStringLiteral(" where pcity=?"),
                {province});
}

Statement insertPaper(const QString &table, const QString &province, const QString &name,
                      const QString &url)
{
    return make(QStringLiteral("insert into ") + table + QStringLiteral(" values(?,?,?)"),
                {province, name, url});
}

Statement paperByName(const QString &table, const QString &name)
{
    return make(QStringLiteral("select * from ") + table + QStringLiteral(" where pname=?"),
                {name});
}

Statement deletePaper(const QString &table, const QString &name)
{
    return make(QStringLiteral("delete from ") + table + QStringLiteral(" where pname=?"), {name});
}

Statement allNames(const QString &table)
{
    return make(QStringLiteral("select pname from ") + table);
}

Statement papersWithAddresses(const QString &table)
{
    return make(QStringLiteral("select rowid, pcity, ifnull(pname,''), ifnull(purl,'') from ") +
                table + QStringLiteral(" where pcity is not null order by rowid"));
}

Statement changeAddress(const QString &table, const QString &row, const QString &oldAddress,
                        const QString &newAddress)
{
    return make(QStringLiteral("update ") + table +
                    QStringLiteral(" set purl=? where rowid=? and purl=?"),
                {newAddress, row, oldAddress});
}

} // namespace statements

namespace catalogue {

QString tableForKind(const QString &kind)
{
    if (kind == u"国内")
        return domesticTable;
    if (kind == u"国外")
        return foreignTable;
    return {};
}

QString comparisonKey(const QString &text)
{
    QString key = text;
    for (QChar &c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return key;
}

} // namespace catalogue
