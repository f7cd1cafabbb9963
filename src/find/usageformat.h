#pragma once

#include "find/findengine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The text of the per-user usage record: which papers the user opened, how
// often and when last. A plain rule, no files: the record's reader and the
// tests share it.
namespace find {

// One paper in the record, under its half and the name it was opened by.
struct UsageItem
{
    bool domestic = true;
    QString name;
    Usage usage;
    bool operator==(const UsageItem &other) const
    {
        return domestic == other.domestic && name == other.name &&
               usage.count == other.usage.count && usage.lastOpened == other.usage.lastOpened;
    }
};

// The key a paper is held under: its half and its name with ASCII letters
// folded to lower case, as the catalogue tells two names apart, so that
// "the times" and "The Times" count as one paper.
QString usageKey(bool domestic, const QString &name);

// The record as JSON: {"version": 1, "papers": [{"half": "domestic" or
// "foreign", "name": ..., "count": ..., "lastOpened": seconds}, ...]}.
QByteArray writeUsage(const QList<UsageItem> &items);

// The items of a record's text, or std::nullopt when the text is damaged:
// not that JSON, another version, a paper without a name or half, a count
// below one, a time before the epoch, or one paper twice.
std::optional<QList<UsageItem>> readUsage(const QByteArray &text);

} // namespace find
