#pragma once

#include "find/findengine.h"
#include "find/usageformat.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <functional>

// The per-user record of the papers opened from the menus and the find
// window, in a file of its own beside the catalogue, never in it. The record
// only ranks: a damaged, unreadable or unwritable file is ignored with one
// warning and never stops a paper from opening.
namespace find {

class UsageRecord final
{
public:
    explicit UsageRecord(QString path);

    // $XDG_STATE_HOME/kelvane/usage.json, XDG_STATE_HOME defaulting to
    // ~/.local/state. Read from the environment at each call.
    static QString defaultPath();
    // The record at the default path, made at the first call and made again
    // when the path has changed: the one every opening in this process counts in.
    static UsageRecord &atDefaultPath();
    // Clears the record at the default path (kelvane --forget-usage); false,
    // with a warning, when the file stays.
    static bool forgetDefault();

    const QString &path() const { return m_path; }

    // Reads the file again when it has changed since it was read (another
    // process forgot the record, say). Call it once before a search asks
    // usageOf() for every paper.
    void refresh() const;
    // How often and how lately the paper was opened; never for a paper not
    // in the record. The file is read at the first call.
    Usage usageOf(bool domestic, const QString &name) const;
    // The usage of `entries` by index, as Engine::search asks for it, from
    // the record read again when it has changed. Lives as long as both.
    std::function<Usage(qsizetype)> usageOfEntries(const QList<Entry> &entries) const;
    // Counts one opening of the paper at `when` (seconds since the epoch)
    // and writes the record through a temporary file renamed into place.
    void recordOpened(bool domestic, const QString &name,
                      qint64 when = QDateTime::currentSecsSinceEpoch());
    // Removes the record's file; false, with a warning, when it stays.
    bool forget();

private:
    struct Stamp
    {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp &) const = default;
    };
    Stamp stampNow() const;
    void load() const;
    bool save();
    void warn(const QString &text) const;

    QString m_path;
    mutable QHash<QString, UsageItem> m_items; // by usageKey()
    mutable Stamp m_stamp;                     // of the file the items came from
    mutable bool m_read = false;
    mutable bool m_warned = false;
};

} // namespace find
