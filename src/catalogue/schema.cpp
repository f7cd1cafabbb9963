#include "catalogue/schema.h"

#include "core/asciifold.h"

namespace catalogue {

QString tableForKind(const QString &kind)
{
    if (kind == u"国内")
        return domesticTable;
    if (kind == u"国外")
        return foreignTable;
    return {};
}

QString comparisonKey(const QString &text)
{
    return asciiLowered(text);
}

} // namespace catalogue
