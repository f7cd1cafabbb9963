#include "catalogue/rowcount.h"

#include "catalogue/cataloguequery.h"
#include "catalogue/statement.h"

namespace rowcount {

int byStepping(CatalogueQuery &query, const QString &table)
{
    int count = 0;
    query.open(statements::allNames(table));
    while (!query.eof()) {
        ++count;
        query.next();
    }
    return count;
}

} // namespace rowcount
