#include "catalogue/mergerules.h"

#include "catalogue/schema.h"

#include <QHash>

namespace mergerules {

namespace {

using Kind = Decision::Kind;

// The papers by half and comparison key.
class Index
{
public:
    explicit Index(qsizetype size = 0)
    {
        m_domestic.reserve(size);
        m_foreign.reserve(size / 2);
    }
    const Paper *find(const Paper &paper) const { return half(paper.domestic).value(key(paper)); }
    // False when the half already holds a paper of that name.
    bool insert(const Paper &paper)
    {
        QHash<QString, const Paper *> &papers = paper.domestic ? m_domestic : m_foreign;
        const QString name = key(paper);
        if (papers.contains(name))
            return false;
        papers.insert(name, &paper);
        return true;
    }

private:
    static QString key(const Paper &paper) { return catalogue::comparisonKey(paper.name); }
    const QHash<QString, const Paper *> &half(bool domestic) const
    {
        return domestic ? m_domestic : m_foreign;
    }
    QHash<QString, const Paper *> m_domestic;
    QHash<QString, const Paper *> m_foreign;
};

// The first paper of each name: a later duplicate in a file is not a paper
// of its own.
Index indexOf(const QList<Paper> &papers)
{
    Index index(papers.size());
    for (const Paper &paper : papers)
        index.insert(paper);
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
    const Index baseIndex = base ? indexOf(*base) : Index();
    Index starterIndex(starter.size());
    QList<Decision> decisions;
    for (const Paper &paper : starter) {
        if (!starterIndex.insert(paper))
            continue;
        const Paper *inBase = baseIndex.find(paper);
        // What the user did to a paper the starter left alone is theirs.
        if (inBase && sameRow(*inBase, paper))
            continue;
        const std::optional<UserRow> user = findUserRow(paper.domestic, paper.name);
        if (const std::optional<Kind> kind = kindOf(paper, inBase, base.has_value(), user))
            decisions.append({*kind, paper, user, {}});
    }
    if (!base)
        return decisions;
    for (const Paper &paper : *base) {
        if (starterIndex.find(paper) || baseIndex.find(paper) != &paper)
            continue;
        if (const std::optional<UserRow> user = findUserRow(paper.domestic, paper.name))
            decisions.append({Kind::Dropped, paper, user, {}});
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
        case Kind::Refused:
            ++summary.refused;
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
