#include "catalogue/mergerules.h"

#include "catalogue/schema.h"

#include <QHash>
#include <QSet>

namespace mergerules {

namespace {

using Kind = Decision::Kind;

QString keyOf(bool domestic, const QString &name)
{
    return (domestic ? u'D' : u'F') + catalogue::comparisonKey(name);
}

// The first paper of each key: a later duplicate in a file is not a paper
// of its own.
QHash<QString, const Paper *> byKey(const QList<Paper> &papers)
{
    QHash<QString, const Paper *> index;
    index.reserve(papers.size());
    for (const Paper &paper : papers) {
        const QString key = keyOf(paper.domestic, paper.name);
        if (!index.contains(key))
            index.insert(key, &paper);
    }
    return index;
}

bool sameRow(const Paper &a, const Paper &b)
{
    return a.province == b.province && a.address == b.address;
}

bool sameRow(const UserRow &user, const Paper &paper)
{
    return user.province == paper.province && user.address == paper.address;
}

// A starter paper against the base's row of it (none when the base does not
// hold it) and the user's row (none when the user has none).
std::optional<Kind> kindOf(const Paper &paper, const Paper *inBase, bool hasBase,
                           const std::optional<UserRow> &user)
{
    if (!user)
        return inBase ? Kind::SkipDeleted : Kind::Add;
    if (sameRow(*user, paper) || !hasBase)
        return std::nullopt;
    if (inBase && sameRow(*user, *inBase))
        return Kind::Update;
    return Kind::KeepChanged;
}

} // namespace

QList<Decision> decide(const std::optional<QList<Paper>> &base, const QList<Paper> &starter,
                       const FindUserRow &findUserRow)
{
    const QHash<QString, const Paper *> baseIndex =
        base ? byKey(*base) : QHash<QString, const Paper *>();
    QList<Decision> decisions;
    QSet<QString> seen;
    seen.reserve(starter.size());
    for (const Paper &paper : starter) {
        const QString key = keyOf(paper.domestic, paper.name);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        const Paper *inBase = baseIndex.value(key);
        // What the user did to a paper the starter left alone is theirs.
        if (inBase && sameRow(*inBase, paper))
            continue;
        const std::optional<UserRow> user = findUserRow(paper.domestic, paper.name);
        if (const std::optional<Kind> kind = kindOf(paper, inBase, base.has_value(), user))
            decisions.append({*kind, paper, user});
    }
    if (!base)
        return decisions;
    for (const Paper &paper : *base) {
        const QString key = keyOf(paper.domestic, paper.name);
        if (seen.contains(key) || baseIndex.value(key) != &paper)
            continue;
        if (const std::optional<UserRow> user = findUserRow(paper.domestic, paper.name))
            decisions.append({Kind::Dropped, paper, user});
    }
    return decisions;
}

Summary summarise(const QList<Decision> &decisions)
{
    Summary summary;
    for (const Decision &decision : decisions) {
        switch (decision.kind) {
        case Kind::Add:
            ++summary.added;
            break;
        case Kind::Update:
            ++summary.updated;
            break;
        case Kind::KeepChanged:
            ++summary.kept;
            break;
        case Kind::SkipDeleted:
            ++summary.skipped;
            break;
        case Kind::Dropped:
            ++summary.dropped;
            break;
        }
    }
    return summary;
}

QString updatedMessage(const Summary &summary)
{
    return QStringLiteral("报纸目录已更新：新增 %1 家，更新 %2 家")
        .arg(summary.added)
        .arg(summary.updated);
}

} // namespace mergerules
