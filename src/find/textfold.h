#pragma once

#include "find/findtables.h"

#include <QString>

// The form that names, hosts and what the reader types are compared in.
namespace find {

// `text` with traditional characters made simplified, accents and other
// marks dropped, compatibility forms (full-width letters) made plain and
// the case folded: "Libération" -> "liberation", "人民日報" -> "人民日报".
QString folded(QStringView text, const Tables &tables);

// The host of a paper's address, folded ("www.people.com.cn"); the address
// itself when it has no host.
QString hostOf(const QString &address);

} // namespace find
