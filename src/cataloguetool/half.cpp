#include "cataloguetool/half.h"

#include "catalogue/schema.h"

namespace half {

namespace {
const QString domesticFolder = QStringLiteral("国内报纸");
const QString foreignFolder = QStringLiteral("国外报纸");
} // namespace

QString table(Half half)
{
    switch (half) {
    case Half::Domestic:
        return catalogue::domesticTable;
    case Half::Foreign:
        return catalogue::foreignTable;
    case Half::None:
        break;
    }
    return {};
}

QString word(Half half)
{
    switch (half) {
    case Half::Domestic:
        return QStringLiteral("domestic");
    case Half::Foreign:
        return QStringLiteral("foreign");
    case Half::None:
        break;
    }
    return {};
}

Half fromWord(const QString &word)
{
    if (word == u"domestic")
        return Half::Domestic;
    if (word == u"foreign")
        return Half::Foreign;
    return Half::None;
}

QString folder(Half half)
{
    switch (half) {
    case Half::Domestic:
        return domesticFolder;
    case Half::Foreign:
        return foreignFolder;
    case Half::None:
        break;
    }
    return {};
}

Half ofFolder(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed == domesticFolder)
        return Half::Domestic;
    if (trimmed == foreignFolder)
        return Half::Foreign;
    return Half::None;
}

} // namespace half
