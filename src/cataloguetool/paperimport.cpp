#include "cataloguetool/paperimport.h"

#include "catalogue/preparedstatement.h"
#include "catalogue/statement.h"
#include "core/messagerules.h"
#include "core/printabletext.h"
#include "core/webaddress.h"

namespace paperimport {

namespace {

QSet<QString> namesOf(sqlite3 *db, half::Half which)
{
    PreparedStatement names(db, statements::allNames(half::table(which)).sql);
    names.bind({});
    QSet<QString> keys;
    while (names.step())
        keys.insert(catalogue::comparisonKey(names.text(0)));
    return keys;
}

// Why a name or province cannot be shown in the menus and in one line of a
// list as it is, or nothing when it can.
QString unprintableReason(const QString &what, const QString &text)
{
    if (const auto character = printabletext::firstUnprintable(text))
        return QStringLiteral("its %1 holds the control or format character %2")
            .arg(what, printabletext::codePoint(*character));
    if (printabletext::length(text) > maxTextLength)
        return QStringLiteral("its %1 is longer than %2 characters").arg(what).arg(maxTextLength);
    return {};
}

Decision decide(const bookmarkfile::Bookmark &mark, half::Half fallback, ExistingNames &existing)
{
    Decision decision;
    Paper &paper = decision.paper;
    paper.half = mark.half == half::Half::None ? fallback : mark.half;
    paper.province = messagerules::trimmed(mark.folder);
    paper.name = messagerules::trimmed(mark.name);
    paper.address = messagerules::trimmed(mark.address);
    decision.reason = refusal(paper);
    if (decision.reason.isEmpty()) {
        QSet<QString> &names =
            paper.half == half::Half::Domestic ? existing.domestic : existing.foreign;
        const QString key = catalogue::comparisonKey(paper.name);
        if (names.contains(key)) {
            decision.kind = Decision::Kind::Skip;
            decision.reason = QStringLiteral("a paper of that name is already in the %1 half")
                                  .arg(half::word(paper.half));
        } else {
            names.insert(key);
            decision.kind = Decision::Kind::Add;
        }
    }
    return decision;
}

} // namespace

QString refusal(const Paper &paper)
{
    if (!browser::webAddress(paper.address).isValid())
        return QStringLiteral("not a web address");
    if (paper.name.isEmpty())
        return QStringLiteral("it has no name");
    if (QString reason = unprintableReason(QStringLiteral("name"), paper.name); !reason.isEmpty())
        return reason;
    if (paper.half == half::Half::None)
        return QStringLiteral("it is in no \"%1\" or \"%2\" folder and no --half was given")
            .arg(half::folder(half::Half::Domestic), half::folder(half::Half::Foreign));
    if (paper.province.isEmpty())
        return QStringLiteral("it is in no province or country folder");
    return unprintableReason(QStringLiteral("province"), paper.province);
}

QList<Decision> plan(const QList<bookmarkfile::Bookmark> &bookmarks, half::Half fallback,
                     ExistingNames existing)
{
    QList<Decision> decisions;
    decisions.reserve(bookmarks.size());
    for (const bookmarkfile::Bookmark &mark : bookmarks)
        decisions.append(decide(mark, fallback, existing));
    return decisions;
}

Summary summarise(const QList<Decision> &decisions)
{
    Summary summary;
    for (const Decision &decision : decisions) {
        switch (decision.kind) {
        case Decision::Kind::Add:
            ++summary.added;
            break;
        case Decision::Kind::Skip:
            ++summary.skipped;
            break;
        case Decision::Kind::Refuse:
            ++summary.refused;
            break;
        }
    }
    return summary;
}

QList<Decision> run(sqlite3 *db, const QList<bookmarkfile::Bookmark> &bookmarks,
                    half::Half fallback, bool dryRun)
{
    // The write lock is taken first, so the names checked are the names
    // that the insert meets; a catalogue in use fails here, before any write.
    runSql(db, dryRun ? QStringLiteral("begin") : QStringLiteral("begin immediate"));
    try {
        const ExistingNames existing{namesOf(db, half::Half::Domestic),
                                     namesOf(db, half::Half::Foreign)};
        const QList<Decision> decisions = plan(bookmarks, fallback, existing);
        if (!dryRun) {
            PreparedStatement domestic(
                db, statements::insertPaper(half::table(half::Half::Domestic), {}, {}, {}).sql);
            PreparedStatement foreign(
                db, statements::insertPaper(half::table(half::Half::Foreign), {}, {}, {}).sql);
            for (const Decision &decision : decisions) {
                if (decision.kind != Decision::Kind::Add)
                    continue;
                const Paper &paper = decision.paper;
                (paper.half == half::Half::Domestic ? domestic : foreign)
                    .run({paper.province, paper.name, paper.address});
            }
        }
        runSql(db, dryRun ? QStringLiteral("rollback") : QStringLiteral("commit"));
        return decisions;
    } catch (...) {
        rollbackQuietly(db);
        throw;
    }
}

} // namespace paperimport
