#pragma once

#include "catalogue/statement.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

struct sqlite3;

// The catalogue's halves, and what every reader says of a NULL it meets.
inline const QString domestic = catalogue::domesticTable;
inline const QString foreign = catalogue::foreignTable;
inline const QString nullField =
    QStringLiteral("Could not convert variant of type (Null) into type (String)");

// A temporary working directory holding database/padr.mdb with the
// catalogue's schema. The test process works in it while the object lives,
// and keeps its per-user state (the usage record) in its state/ folder.
// Rows are written and read through a connection of the test's own.
class TestCatalogue
{
public:
    using Field = std::optional<QString>; // std::nullopt is NULL

    struct Row
    {
        Field pcity, pname, purl;
        bool operator==(const Row &other) const = default;
    };

    TestCatalogue();
    ~TestCatalogue();

    void add(const QString &table, const Field &pcity, const Field &pname, const Field &purl);
    QList<Row> rows(const QString &table) const;
    // The first column of every row that a query gives, NULL read as "<NULL>".
    QStringList column(const QString &sql) const;
    // Runs SQL on the file directly; fails the test on an error.
    void exec(const QString &sql) const;
    // `PRAGMA integrity_check` on the file.
    QString integrity() const;

    QString path() const; // absolute path of database/padr.mdb
    QString directory() const { return m_dir.path(); }
    void removeFile() const;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::optional<QByteArray> m_previousStateHome;
};

// Captures every message box shown while it lives, instead of showing it.
class MessageCapture
{
public:
    struct Message
    {
        int kind; // messagebox::Kind
        QString caption;
        QString text;
    };

    MessageCapture();
    ~MessageCapture();

    QList<Message> messages;
    QStringList texts() const;
    void clear() { messages.clear(); }
};
