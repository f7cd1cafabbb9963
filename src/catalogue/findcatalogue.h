#pragma once

#include "catalogue/catalogueconnection.h"
#include "find/findengine.h"

#include <optional>

// The find engine fed with the catalogue's rows. They are read at the first
// find, never at start-up, and read again at a later find when the catalogue
// file has changed since (an add in the maintenance window, an import by
// kelvane-catalogue), so that the find sees what the menus show only after a
// restart.
class FindCatalogue final
{
public:
    // Reads the rows when none were read yet or the file has changed since;
    // failures throw, and the next call tries again.
    void follow();
    // The engine over the rows last read; empty before the first follow().
    const find::Engine &engine() const { return m_engine; }

private:
    void read(CatalogueConnection &connection);

    find::Engine m_engine;
    // The file the rows were read from, as it stood just before the reading.
    std::optional<CatalogueConnection::FileIdentity> m_readFrom;
};
