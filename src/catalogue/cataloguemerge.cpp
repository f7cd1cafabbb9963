#include "catalogue/cataloguemerge.h"

#include "catalogue/basefile.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/schema.h"
#include "catalogue/statement.h"
#include "core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace cataloguemerge {

namespace {

using mergerules::Decision;
using mergerules::Paper;
using mergerules::UserRow;

struct Handle
{
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close(db); }
};

QString tableOf(bool domestic)
{
    return domestic ? catalogue::domesticTable : catalogue::foreignTable;
}

// The rows are read once, in order: an index would only cost its upkeep.
int withoutIndexes(void *, int action, const char *, const char *, const char *, const char *)
{
    return action == SQLITE_CREATE_INDEX ? SQLITE_IGNORE : SQLITE_OK;
}

// A script may only make tables and fill them: it runs with no other
// database attached and none to attach, and cannot reach a file.
void confine(sqlite3 *db)
{
    sqlite3_set_authorizer(db, withoutIndexes, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
}

Failure unreadable(const QString &path, const QString &why)
{
    return Failure(QStringLiteral("Could not read the papers of '%1': %2").arg(path, why));
}

std::optional<UserRow> userRow(PreparedStatement &find, const QString &name)
{
    find.bind({name});
    if (!find.step())
        return std::nullopt;
    UserRow row{find.integer(0), find.text(1), find.text(2)};
    find.reset();
    return row;
}

// Only what is written is judged: the rest of a starter never reaches the
// catalogue.
void refuse(QList<Decision> &decisions, const Refusal &refusal)
{
    for (Decision &decision : decisions) {
        if (decision.kind != Decision::Kind::Add && decision.kind != Decision::Kind::Update)
            continue;
        decision.reason = refusal(decision.paper);
        if (!decision.reason.isEmpty())
            decision.kind = Decision::Kind::Refused;
    }
}

// The writes of one half's table, each prepared once.
struct Writes
{
    Writes(sqlite3 *db, const QString &table)
        : insert(db, statements::insertPaper(table, {}, {}, {}).sql),
          move(db, statements::changePaper(table, {}, {}, {}, {}, QString()).sql),
          readdress(db, statements::changePaper(table, {}, {}, {}, {}).sql)
    {
    }
    PreparedStatement insert;
    PreparedStatement move;      // province and address
    PreparedStatement readdress; // the address alone
};

void carryOut(sqlite3 *db, const QList<Decision> &decisions)
{
    Writes domestic(db, catalogue::domesticTable);
    Writes foreign(db, catalogue::foreignTable);
    for (const Decision &decision : decisions) {
        const Paper &paper = decision.paper;
        Writes &writes = paper.domestic ? domestic : foreign;
        if (decision.kind == Decision::Kind::Add) {
            writes.insert.run(
                statements::insertPaper({}, paper.province, paper.name, paper.address).values);
        } else if (decision.kind == Decision::Kind::Update) {
            const UserRow &user = *decision.user;
            const bool moved = user.province != paper.province;
            (moved ? writes.move : writes.readdress)
                .run(statements::changePaper({}, QString::number(user.row), user.province,
                                             user.address, paper.address,
                                             moved ? std::optional(paper.province) : std::nullopt)
                         .values);
        }
    }
}

} // namespace

Papers papersIn(sqlite3 *db)
{
    Papers papers;
    for (const bool domestic : {true, false}) {
        PreparedStatement rows(db, statements::papersWithAddresses(tableOf(domestic)).sql);
        while (rows.step())
            if (!rows.bytes(2).isEmpty())
                papers.append({domestic, rows.text(1), rows.text(2), rows.text(3)});
    }
    return papers;
}

Papers papersOfScript(const QByteArray &sql, const QString &path)
{
    cataloguefile::prepareEngine();
    Handle memory;
    // The connection is this call's alone: it needs no locking of its own.
    if (sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        throw unreadable(path, QString::fromUtf8(sqlite3_errmsg(memory.db)));
    confine(memory.db);
    char *error = nullptr;
    if (sqlite3_exec(memory.db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(memory.db));
        sqlite3_free(error);
        throw unreadable(path, text);
    }
    try {
        return papersIn(memory.db);
    } catch (const Failure &failure) {
        throw unreadable(path, failure.message());
    }
}

Papers readPapers(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(path, file.errorString());
    const QByteArray head = file.peek(64);
    if (basefile::isBase(head)) {
        file.close();
        return *basefile::read(path);
    }
    if (cataloguefile::formatOf(head) != cataloguefile::Format::SQLite)
        return papersOfScript(file.readAll(), path);
    file.close();
    cataloguefile::prepareEngine();
    Handle catalogue;
    const QByteArray uri =
        (QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         QStringLiteral("?mode=ro"))
            .toUtf8();
    if (sqlite3_open_v2(uri.constData(), &catalogue.db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        throw Failure(cataloguefile::lastFailure(catalogue.db));
    return papersIn(catalogue.db);
}

QList<Decision> merge(sqlite3 *db, const std::optional<Papers> &base, const Papers &starter,
                      bool dryRun, const StageReached &reached, const Refusal &refusal)
{
    PreparedStatement findDomestic(db, statements::rowOfPaper(catalogue::domesticTable).sql);
    PreparedStatement findForeign(db, statements::rowOfPaper(catalogue::foreignTable).sql);
    // The decisions and the writes in one transaction: a row the user
    // changes meanwhile is either seen or waits for the merge to end.
    if (!dryRun)
        runSql(db, QStringLiteral("begin immediate"));
    try {
        QList<Decision> decisions =
            mergerules::decide(base, starter, [&](bool domestic, const QString &name) {
                return userRow(domestic ? findDomestic : findForeign, name);
            });
        if (refusal)
            refuse(decisions, refusal);
        if (dryRun)
            return decisions;
        carryOut(db, decisions);
        if (reached)
            reached(Stage::RowsWritten);
        runSql(db, QStringLiteral("commit"));
        if (reached)
            reached(Stage::Committed);
        return decisions;
    } catch (...) {
        if (!dryRun)
            rollbackQuietly(db);
        throw;
    }
}

} // namespace cataloguemerge
