#pragma once

#include "catalogue/findcatalogue.h"

#include <QStringList>
#include <optional>

// The papers the desktop's search asks for, from the catalogue as it stands
// at each call: a file replaced or changed since the last call is read again.
// The catalogue is only ever read. What cannot be read gives no papers and
// one line in the log while the failure lasts, since the desktop asks again
// at every key the reader types.
namespace searchprovider {

class PaperSearch final
{
public:
    // As many hits as the desktop's search shows of one program.
    static constexpr qsizetype resultLimit = 10;

    // The best papers for the terms, at most resultLimit, in the engine's
    // ranking with the user's usage breaking ties; none for terms without text.
    QList<find::Found> search(const QStringList &terms);
    // The entries of the rows last read, as search() indexes them.
    const QList<find::Entry> &entries() const { return m_catalogue.engine().entries(); }

    // The paper the result id names in the catalogue as it stands now.
    std::optional<find::Entry> paper(const QString &id);
    // Opens the paper the id names as the menus do (the address rule, the
    // browser launch) and counts it in the usage record. An id that names no
    // paper, or an address that is no web address, opens nothing and is one
    // line in the log.
    void open(const QString &id);

private:
    bool follow();
    std::optional<find::Entry> lookUp(const QString &id) const;

    FindCatalogue m_catalogue;
    QString m_failure; // what was logged of the failure that lasts, if any
};

} // namespace searchprovider
