#include "catalogue/schema.h"

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
    QString key = text;
    for (QChar &c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return key;
}

} // namespace catalogue
