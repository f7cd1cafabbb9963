#pragma once

#include <QString>

class CatalogueQuery;

namespace rowcount {

// The rows left in the open result, counted by stepping to its end without
// reading a field.
int stepToEnd(CatalogueQuery &query);

// The number of rows of a table, found by stepping through its names
// (statements::allNames) to the end: every row counts, whatever its name
// holds. The query stays open on that result; a failure throws.
int byStepping(CatalogueQuery &query, const QString &table);

} // namespace rowcount
