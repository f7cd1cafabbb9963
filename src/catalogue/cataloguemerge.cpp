#include "catalogue/cataloguemerge.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/schema.h"
#include "catalogue/statement.h"
#include "core/failure.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace cataloguemerge {

namespace {

using mergerules::Decision;
using mergerules::Paper;
using mergerules::UserRow;

const QByteArray digestMark = QByteArrayLiteral("-- starter sha256 ");

struct Handle
{
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close(db); }
};

QString tableOf(bool domestic)
{
    return domestic ? catalogue::domesticTable : catalogue::foreignTable;
}

Papers papersOf(sqlite3 *db)
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

// A script may only make tables and fill them: it runs with no other
// database attached and none to attach, and cannot reach a file.
void confine(sqlite3 *db)
{
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

// The writes of one half's table, each prepared once.
struct Writes
{
    Writes(sqlite3 *db, const QString &table)
        : insert(db, statements::insertPaper(table, {}, {}, {}).sql),
          update(db, statements::changePaper(table, {}, {}, {}, {}, {}).sql)
    {
    }
    PreparedStatement insert;
    PreparedStatement update;
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
            writes.update.run(statements::changePaper({}, QString::number(user.row), user.province,
                                                      user.address, paper.province, paper.address)
                                  .values);
        }
    }
}

} // namespace

Papers papersOfScript(const QByteArray &sql, const QString &path)
{
    cataloguefile::prepareEngine();
    Handle memory;
    if (sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw unreadable(path, QString::fromUtf8(sqlite3_errmsg(memory.db)));
    confine(memory.db);
    char *error = nullptr;
    if (sqlite3_exec(memory.db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(memory.db));
        sqlite3_free(error);
        throw unreadable(path, text);
    }
    try {
        return papersOf(memory.db);
    } catch (const Failure &failure) {
        throw unreadable(path, failure.message());
    }
}

Papers readPapers(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(path, file.errorString());
    if (cataloguefile::formatOf(file.peek(32)) != cataloguefile::Format::SQLite)
        return papersOfScript(file.readAll(), path);
    file.close();
    cataloguefile::prepareEngine();
    Handle catalogue;
    const QByteArray uri =
        (QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         QStringLiteral("?mode=ro"))
            .toUtf8();
    if (sqlite3_open_v2(uri.constData(), &catalogue.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK)
        throw Failure(cataloguefile::lastFailure(catalogue.db));
    return papersOf(catalogue.db);
}

QList<Decision> merge(sqlite3 *db, const std::optional<Papers> &base, const Papers &starter,
                      bool dryRun, const StageReached &reached)
{
    PreparedStatement findDomestic(db, statements::rowOfPaper(catalogue::domesticTable).sql);
    PreparedStatement findForeign(db, statements::rowOfPaper(catalogue::foreignTable).sql);
    // The decisions and the writes in one transaction: a row the user
    // changes meanwhile is either seen or waits for the merge to end.
    if (!dryRun)
        runSql(db, QStringLiteral("begin immediate"));
    try {
        const QList<Decision> decisions =
            mergerules::decide(base, starter, [&](bool domestic, const QString &name) {
                return userRow(domestic ? findDomestic : findForeign, name);
            });
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

QString baseFileFor(const QString &cataloguePath)
{
    const QFileInfo catalogue(cataloguePath);
    return catalogue.dir().filePath(catalogue.completeBaseName() + QStringLiteral(".base.sql"));
}

QByteArray digestOf(const QByteArray &starterSql)
{
    return QCryptographicHash::hash(starterSql, QCryptographicHash::Sha256).toHex();
}

QByteArray recordedDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = file.readLine(digestMark.size() + 80).trimmed();
    return line.startsWith(digestMark) ? line.mid(digestMark.size()) : QByteArray();
}

std::optional<Papers> readBase(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readPapers(path);
}

void writeBase(const QString &path, const QByteArray &starterSql)
{
    const QString temporary =
        path + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    QFile file(temporary);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(digestMark + digestOf(starterSql) + '\n') > 0 &&
                         file.write(starterSql) == starterSql.size() && file.flush() &&
                         ::fsync(file.handle()) == 0;
    const QString why = file.errorString();
    file.close();
    // rename(2) replaces the old base in one step; QFile::rename would not.
    const bool renamed = written && ::rename(QFile::encodeName(temporary).constData(),
                                             QFile::encodeName(path).constData()) == 0;
    const QString renameError = QString::fromLocal8Bit(std::strerror(errno));
    if (!renamed) {
        QFile::remove(temporary);
        throw Failure(QStringLiteral("Could not write the base file '%1': %2")
                          .arg(path, written ? renameError : why));
    }
}

} // namespace cataloguemerge
