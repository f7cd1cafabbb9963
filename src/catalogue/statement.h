#pragma once

#include "catalogue/schema.h"

#include <QString>
#include <QStringList>
#include <optional>

// One statement of the catalogue: its SQL with a "?" for each value, and the
// values, which are always bound as parameters and never pasted into the SQL.
struct Statement
{
    QString sql;
    QStringList values;

    // The statement as the user would read it, each value between double
    // quotes: `select purl from pinternal where pname="人民日报"`.
    QString text() const;
};

// The catalogue's statements. A table name comes from the kind rule and may be
// empty, in which case the engine rejects the statement.
namespace statements {

Statement distinctProvinces(const QString &table);
Statement papersInProvince(const QString &table, const QString &province);
Statement addressOfPaper(const QString &table, const QString &name);
Statement nameOfPaper(const QString &table, const QString &name);
Statement provinceOfProvince(const QString &table, const QString &province);
Statement insertPaper(const QString &table, const QString &province, const QString &name,
                      const QString &url);
Statement paperByName(const QString &table, const QString &name);
Statement deletePaper(const QString &table, const QString &name);
Statement allNames(const QString &table);
// Every row that has a province, in the table's order, with its row id; a
// NULL name or address reads as an empty text.
Statement papersWithAddresses(const QString &table);
// A paper's address replaced, only while it is still `oldAddress`.
Statement changeAddress(const QString &table, const QString &row, const QString &oldAddress,
                        const QString &newAddress);

// The first row of a paper by its name: row id, province and address.
Statement rowOfPaper(const QString &table, const QString &name = {});
// A paper's address, and its province when one is given, replaced only while
// both are still the old ones. The province is set only when it changes: its
// index is then left alone.
Statement changePaper(const QString &table, const QString &row, const QString &oldProvince,
                      const QString &oldAddress, const QString &newAddress,
                      const std::optional<QString> &newProvince = std::nullopt);

} // namespace statements
