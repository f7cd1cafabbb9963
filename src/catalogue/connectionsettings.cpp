#include "catalogue/connectionsettings.h"

#include <QStringList>

namespace connectionsettings {

const QString shortForm = QStringLiteral(
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=database\\padr.mdb;Persist Security Info=False");

const QString longForm =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=database\\padr.mdb;"
                   "Mode=Share Deny None;Extended Properties=\"\";Persist Security Info=False;"
                   "Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
                   "Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;"
                   "Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;"
                   "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";"
                   "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
                   "Jet OLEDB:Don't Copy Locale on Compact=False;"
                   "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");

QString value(const QString &connectionString, const QString &key)
{
    const QStringList pairs = connectionString.split(u';', Qt::SkipEmptyParts);
    for (const QString &pair : pairs) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals > 0 && pair.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return pair.mid(equals + 1).trimmed();
    }
    return {};
}

QString dataSource(const QString &connectionString)
{
    QString path = value(connectionString, QStringLiteral("Data Source"));
    path.replace(u'\\', u'/');
    return path;
}

bool exclusive(const QString &connectionString)
{
    return value(connectionString, QStringLiteral("Mode"))
        .contains(QStringLiteral("Exclusive"), Qt::CaseInsensitive);
}

} // namespace connectionsettings
