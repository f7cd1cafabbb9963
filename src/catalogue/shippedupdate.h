#pragma once

#include "catalogue/cataloguemerge.h"

#include <QString>
#include <optional>

// The papers of a newer installed starter carried into the user's own
// catalogue, once per starter: the starter's digest is compared with the one
// the base file records, so an unchanged starter costs one read and no rows.
namespace shippedupdate {

// Merges the starter at `starterSql` into the chosen catalogue file (see
// cataloguelocation) when it differs from the base, then records it as the
// new base. Returns what the merge did; nothing when there was nothing to
// merge or no starter. Throws a Failure when the catalogue cannot be written
// (locked, read-only): it and its base are left as they were, for a later
// start. A merge cut short anywhere is completed by the next, and a
// completed one changes nothing more.
std::optional<mergerules::Summary> run(const QString &starterSql,
                                       const cataloguemerge::StageReached &reached = {});

} // namespace shippedupdate
