#pragma once

#include "find/findengine.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the desktop's search is told about a paper, as plain rules: the
// result's id, the line under its name, and how KRunner ranks it.
namespace searchprovider {

// The icon every hit shows: the program's own, by its name in the icon theme.
inline const QString programIcon = QStringLiteral("kelvane");

// The paper a result id names: its half, province and name.
struct PaperKey
{
    bool domestic = true;
    QString province;
    QString name;
    bool operator==(const PaperKey &) const = default;
};

// The paper's id: "d/" (domestic) or "f/" (foreign), then its province and
// its name, each percent-encoded. Made from the paper itself rather than its
// place in a list, so that the id still names the same paper after the
// catalogue was read again, or in the next run of the program, and names
// nothing once the paper is gone.
QString resultId(const find::Entry &paper);
// The paper an id names; nothing for text that is no id of ours.
std::optional<PaperKey> paperKeyOf(const QString &id);
bool isPaper(const find::Entry &paper, const PaperKey &key);

// The line under a paper's name: its province or country and the host of
// its address ("北京 · www.people.com.cn"). Plain text, never markup.
QString description(const find::Entry &paper);

// The text the find engine searches for: the desktop's terms, one space
// between each.
QString queryOf(const QStringList &terms);

// KRunner's relevance of the hit at `position` (0 first) of a ranked list:
// 1.0 for a name typed whole, each tier below 0.1 less, and a little less
// for each hit before it, so that KRunner keeps the engine's order.
double relevance(find::Tier tier, qsizetype position);

// KRunner's kind of match: exact for a name typed whole, else possible.
int matchCategory(find::Tier tier);

} // namespace searchprovider
