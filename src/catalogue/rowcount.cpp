#include "catalogue/rowcount.h"

#include "catalogue/cataloguequery.h"
#include "catalogue/statement.h"

namespace rowcount {

int stepToEnd(CatalogueQuery &query)
{
    int count = 0;
    for (; !query.eof(); query.next())
        ++count;
    return count;
}

int byStepping(CatalogueQuery &query, const QString &table)
{
    query.open(statements::allNames(table));
    return stepToEnd(query);
}

} // namespace rowcount
