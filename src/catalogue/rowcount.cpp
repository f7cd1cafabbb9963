#include "catalogue/rowcount.h"

#include "catalogue/cataloguequery.h"
#include "catalogue/statement.h"

namespace rowcount {

int stepToEnd(CatalogueQuery &query)
{
    return query.skipToEnd();
}

int byStepping(CatalogueQuery &query, const QString &table)
{
    query.open(statements::allNames(table));
    return stepToEnd(query);
}

} // namespace rowcount
