#include "catalogue/findcatalogue.h"

#include "catalogue/connectionsettings.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/schema.h"
#include "catalogue/statement.h"

namespace {

// Columns of statements::papersWithAddresses: rowid, province, name, address.
constexpr int provinceField = 1;
constexpr int nameField = 2;
constexpr int addressField = 3;

// The papers of one half that the menus list (those with a province and a
// name), in the table's order.
void appendHalf(sqlite3 *db, const QString &table, QList<find::Entry> &entries)
{
    PreparedStatement rows(db, statements::papersWithAddresses(table).sql);
    rows.bind({});
    while (rows.step()) {
        QString name = rows.text(nameField);
        if (!name.isEmpty())
            entries.append({std::move(name), rows.text(provinceField), rows.text(addressField),
                            table == catalogue::domesticTable});
    }
}

} // namespace

void FindCatalogue::follow()
{
    // Read only, on a connection of its own that lives for the reading:
    // between finds nothing is held open on the file.
    CatalogueConnection connection(connectionsettings::shortForm,
                                   CatalogueConnection::Access::ReadOnly);
    // Taken before the reading: a change made during it is read next time.
    const std::optional<CatalogueConnection::FileIdentity> now =
        CatalogueConnection::identityOf(connection.path());
    if (now && now == m_readFrom)
        return;
    m_readFrom.reset();
    connection.open();
    read(connection);
    m_readFrom = now;
}

void FindCatalogue::read(CatalogueConnection &connection)
{
    QList<find::Entry> entries;
    appendHalf(connection.handle(), catalogue::domesticTable, entries);
    appendHalf(connection.handle(), catalogue::foreignTable, entries);
    m_engine.setEntries(std::move(entries));
}
