#pragma once

#include "catalogue/catalogueconnection.h"
#include "cataloguetool/exitcodes.h"
#include "cataloguetool/papers.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QTextStream>
#include <functional>

// What the commands of kelvane-catalogue share: the output streams, the
// usage error, the catalogue option and the open catalogue, and the checks
// of option values.
namespace cataloguetool {

inline const QString programName = QStringLiteral("kelvane-catalogue");

// Standard output and error, in UTF-8; run() checks that standard output
// was written in full.
QTextStream &out();
QTextStream &err();

// Bad usage: the message, shown with where to find the right usage.
class UsageError
{
public:
    explicit UsageError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

extern const QCommandLineOption catalogueOption;

// One command: its name, a one-line summary, its options and positional
// arguments, and what it does.
struct Command
{
    QString name;
    QString summary;
    QList<QCommandLineOption> options;
    QStringList positional; // "NAME description" pairs as two entries
    std::function<int(const QCommandLineParser &)> run;
};

// The commands, each in a file of its own.
Command listCommand();
Command searchCommand();
Command exportCommand();
Command importCommand();
Command checkCommand();
Command mergeCommand();

// A paper as the user finds it: "国内报纸/北京/人民日报".
QString path(const Paper &paper);

// The option's value, which must be one of `choices`; `fallback` when not given.
QString requiredChoice(const QCommandLineParser &parser, const QCommandLineOption &option,
                       const QStringList &choices, const QString &fallback);
// The option's value as a whole number from 1 to `most`.
int positiveNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int most);
papers::Format formatFrom(const QString &word);

// The catalogue, chosen by the same rule as the menu-bar program's; it stays
// open while the command runs. A command that only reads opens it read-only,
// so that it never changes the file, not even its journal mode.
class OpenCatalogue
{
    Q_DISABLE_COPY_MOVE(OpenCatalogue)

public:
    using Access = CatalogueConnection::Access;
    explicit OpenCatalogue(const QCommandLineParser &parser, Access access = Access::ReadOnly);
    // A writing command's log is emptied as it ends, as the menu-bar program
    // empties it after each write: a log left behind while that program holds
    // the file would be replayed onto a catalogue moved into its place.
    ~OpenCatalogue();
    sqlite3 *db() const { return m_connection.handle(); }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    Access m_access;
    CatalogueConnection m_connection;
};

} // namespace cataloguetool
