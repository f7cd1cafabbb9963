#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// How the papers of a newer starter catalogue reach a user's catalogue. The
// starter is compared with the base (the starter rows the catalogue was last
// made or merged from): only what the starter changed since then is carried
// over, and only where the user has not changed it. A paper is known by its
// half and name, as the maintenance window's duplicate rule knows it.
namespace mergerules {

struct Paper
{
    bool domestic = true;
    QString province;
    QString name;
    QString address;
};

// The user's row of a paper, as found by its half and name.
struct UserRow
{
    qint64 row = 0; // the row id in its half's table
    QString province;
    QString address;
};

using FindUserRow = std::function<std::optional<UserRow>(bool domestic, const QString &name)>;

struct Decision
{
    enum class Kind
    {
        Add,         // new in the starter, not in the catalogue
        Update,      // changed in the starter; the user's row still the base's
        KeepChanged, // changed in the starter, and the user's row differs
        SkipDeleted, // changed in the starter, but the user deleted it
        Dropped,     // gone from the starter; still in the catalogue
        Refused      // an addition or update whose paper may not be written
    };
    Kind kind;
    Paper paper;                 // the starter's (the base's for Dropped)
    std::optional<UserRow> user; // the user's row, where there is one
    QString reason;              // why it is refused
};

// What to do with each paper, in the starter's order, the dropped ones
// last. Papers the starter did not change since the base need nothing. With
// no base (a catalogue made before bases were kept) only the papers missing
// from the catalogue are added. Running the decisions again after they were
// carried out decides nothing more but the dropped papers.
QList<Decision> decide(const std::optional<QList<Paper>> &base, const QList<Paper> &starter,
                       const FindUserRow &findUserRow);

struct Summary
{
    int added = 0;
    int updated = 0;
    int kept = 0;
    int skipped = 0;
    int dropped = 0;
    int refused = 0;
};
Summary summarise(const QList<Decision> &decisions);

// The message that tells the user that the catalogue was updated.
QString updatedMessage(const Summary &summary);

} // namespace mergerules
