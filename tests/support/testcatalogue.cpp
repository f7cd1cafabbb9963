#include "testcatalogue.h"

#include "platform/messagebox.h"
#include "shippedschema.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace {

struct Db
{
    sqlite3 *handle = nullptr;
    explicit Db(const QString &path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error("cannot open test catalogue");
        sqlite3_busy_timeout(handle, 5000);
    }
    ~Db() { sqlite3_close(handle); }
};

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

TestCatalogue::Field field(sqlite3_stmt *statement, int index)
{
    if (sqlite3_column_type(statement, index) == SQLITE_NULL)
        return std::nullopt;
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, index)),
                             sqlite3_column_bytes(statement, index));
}

} // namespace

TestCatalogue::TestCatalogue()
    : m_previousDir(QDir::currentPath()), m_previousStateHome(qgetenv("XDG_STATE_HOME"))
{
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("state"))));
    QDir(m_dir.path()).mkdir(QStringLiteral("database"));
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    check(sqlite3_exec(db, shippedSchema().constData(), nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    QDir::setCurrent(m_dir.path());
}

TestCatalogue::~TestCatalogue()
{
    QDir::setCurrent(m_previousDir);
    if (m_previousStateHome)
        qputenv("XDG_STATE_HOME", *m_previousStateHome);
    else
        qunsetenv("XDG_STATE_HOME");
}

QString TestCatalogue::path() const
{
    return m_dir.filePath(QStringLiteral("database/padr.mdb"));
}

void TestCatalogue::add(const QString &table, const Field &pcity, const Field &pname,
                        const Field &purl)
{
    Db db(path());
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = (u"insert into "_qs + table + u" values(?,?,?)"_qs).toUtf8();
    check(sqlite3_prepare_v2(db.handle, sql.constData(), -1, &statement, nullptr), db.handle);
    const Field fields[] = {pcity, pname, purl};
    for (int i = 0; i < 3; ++i) {
        if (fields[i]) {
            const QByteArray text = fields[i]->toUtf8();
            sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()),
                              SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(statement, i + 1);
        }
    }
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    check(rc, db.handle);
}

QList<TestCatalogue::Row> TestCatalogue::rows(const QString &table) const
{
    Db db(path());
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql =
        (u"select pcity, pname, purl from "_qs + table + u" order by rowid"_qs).toUtf8();
    check(sqlite3_prepare_v2(db.handle, sql.constData(), -1, &statement, nullptr), db.handle);
    QList<Row> result;
    while (sqlite3_step(statement) == SQLITE_ROW)
        result.append({field(statement, 0), field(statement, 1), field(statement, 2)});
    sqlite3_finalize(statement);
    return result;
}

QStringList TestCatalogue::column(const QString &sql) const
{
    Db db(path());
    sqlite3_stmt *statement = nullptr;
    check(sqlite3_prepare_v2(db.handle, sql.toUtf8().constData(), -1, &statement, nullptr),
          db.handle);
    QStringList result;
    while (sqlite3_step(statement) == SQLITE_ROW)
        result.append(field(statement, 0).value_or(QStringLiteral("<NULL>")));
    sqlite3_finalize(statement);
    return result;
}

void TestCatalogue::exec(const QString &sql) const
{
    Db db(path());
    check(sqlite3_exec(db.handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db.handle);
}

QString TestCatalogue::integrity() const
{
    Db db(path());
    sqlite3_stmt *statement = nullptr;
    check(sqlite3_prepare_v2(db.handle, "PRAGMA integrity_check", -1, &statement, nullptr),
          db.handle);
    QString result;
    if (sqlite3_step(statement) == SQLITE_ROW)
        result = field(statement, 0).value_or(QString());
    sqlite3_finalize(statement);
    return result;
}

void TestCatalogue::removeFile() const
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path() + QLatin1String(suffix));
}

MessageCapture::MessageCapture()
{
    messagebox::setInterceptor(
        [this](messagebox::Kind kind, const QString &caption, const QString &text) {
            messages.append({int(kind), caption, text});
        });
}

MessageCapture::~MessageCapture()
{
    messagebox::setInterceptor({});
}

QStringList MessageCapture::texts() const
{
    QStringList result;
    for (const Message &message : messages)
        result.append(message.text);
    return result;
}
