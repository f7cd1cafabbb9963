#include "cataloguetool/commands.h"

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguelocation.h"
#include "catalogue/connectionsettings.h"
#include "catalogue/statement.h"
#include "cataloguetool/bookmarkfile.h"
#include "cataloguetool/linkchecker.h"
#include "cataloguetool/paperimport.h"
#include "cataloguetool/papers.h"
#include "cataloguetool/preparedstatement.h"
#include "core/failure.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <optional>
#include <sqlite3.h>
#include <unistd.h>

namespace cataloguetool {

namespace {

const QString programName = QStringLiteral("kelvane-catalogue");
// A bookmark file beyond this size is refused rather than read into memory.
constexpr qint64 maxBookmarkFileBytes = 512LL * 1024 * 1024;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// A usage error: the message and where to find the right usage.
class UsageError
{
public:
    explicit UsageError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

const QCommandLineOption catalogueOption(QStringList{QStringLiteral("catalogue")},
                                         QStringLiteral("The catalogue file to work on."),
                                         QStringLiteral("FILE"));
const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Shows this help."));

QString path(const Paper &paper)
{
    return half::folder(paper.half) + u'/' + paper.province + u'/' + paper.name;
}

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

QString helpOf(const Command &command, QCommandLineParser &parser)
{
    // The parser's first line names the program as it was started, without
    // the command: the usage line is written here instead.
    const QString text = parser.helpText();
    QString usage = QStringLiteral("Usage: ") + programName + u' ' + command.name +
                    QStringLiteral(" [options]");
    for (qsizetype i = 0; i + 1 < command.positional.size(); i += 2)
        usage += u' ' + command.positional.at(i);
    return usage + text.mid(text.indexOf(u'\n'));
}

QString requiredChoice(const QCommandLineParser &parser, const QCommandLineOption &option,
                       const QStringList &choices, const QString &fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const QString value = parser.value(option);
    if (!choices.contains(value))
        throw UsageError(
            QStringLiteral("--%1 takes %2, not '%3'")
                .arg(option.names().constLast(), choices.join(QStringLiteral(" or ")), value));
    return value;
}

papers::Format formatFrom(const QString &word)
{
    if (word == u"json")
        return papers::Format::Json;
    if (word == u"csv")
        return papers::Format::Csv;
    return papers::Format::Text;
}

// The catalogue, chosen by the same rule as the menu-bar program's and
// opened read-write; it stays open while the command runs.
class OpenCatalogue
{
public:
    explicit OpenCatalogue(const QCommandLineParser &parser)
    {
        m_path = cataloguelocation::resolve(parser.value(catalogueOption));
        m_connection.open();
    }
    sqlite3 *db() const { return m_connection.handle(); }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    CatalogueConnection m_connection{connectionsettings::longForm};
};

// ---- list and search ----------------------------------------------------

const QCommandLineOption domesticOption(QStringLiteral("domestic"),
                                        QStringLiteral("Only the domestic papers."));
const QCommandLineOption foreignOption(QStringLiteral("foreign"),
                                       QStringLiteral("Only the foreign papers."));
const QCommandLineOption listFormatOption(QStringLiteral("format"),
                                          QStringLiteral("text (default), json or csv."),
                                          QStringLiteral("FORMAT"));

int runList(const QCommandLineParser &parser)
{
    if (parser.isSet(domesticOption) && parser.isSet(foreignOption))
        throw UsageError(QStringLiteral("give --domestic or --foreign, not both"));
    const QString format =
        requiredChoice(parser, listFormatOption,
                       {QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")},
                       QStringLiteral("text"));
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("list takes no arguments"));
    const half::Half only = parser.isSet(domesticOption)  ? half::Half::Domestic
                            : parser.isSet(foreignOption) ? half::Half::Foreign
                                                          : half::Half::None;
    const OpenCatalogue catalogue(parser);
    out() << papers::formatted(papers::read(catalogue.db(), only), formatFrom(format));
    return exitOk;
}

int runSearch(const QCommandLineParser &parser)
{
    const QStringList words = parser.positionalArguments();
    if (words.size() != 1)
        throw UsageError(QStringLiteral("search takes one TEXT"));
    const QString format =
        requiredChoice(parser, listFormatOption,
                       {QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")},
                       QStringLiteral("text"));
    const OpenCatalogue catalogue(parser);
    QList<Paper> found;
    for (const Paper &paper : papers::read(catalogue.db(), half::Half::None))
        if (papers::matches(paper, words.first()))
            found.append(paper);
    out() << papers::formatted(found, formatFrom(format));
    return exitOk;
}

// ---- export -------------------------------------------------------------

const QCommandLineOption exportFormatOption(QStringLiteral("format"),
                                            QStringLiteral("html (default), json or csv."),
                                            QStringLiteral("FORMAT"));
const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Writes to FILE instead of standard output."),
                                      QStringLiteral("FILE"));

// Writes to the file when one is named, else to standard output. A file is
// written beside the target and renamed into place: a failure never leaves
// half a file.
class Output
{
public:
    explicit Output(const QString &fileName) : m_fileName(fileName)
    {
        if (m_fileName.isEmpty()) {
            out().flush();
            return;
        }
        m_file.emplace(fileName);
        if (!m_file->open(QIODevice::WriteOnly))
            fail();
    }

    void write(QByteArrayView bytes)
    {
        if (!m_file) {
            std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout);
            return;
        }
        if (m_file->write(bytes.data(), bytes.size()) != bytes.size())
            fail();
    }

    void commit()
    {
        if (m_file && !m_file->commit())
            fail();
        std::fflush(stdout);
    }

private:
    [[noreturn]] void fail()
    {
        throw Failure(QStringLiteral("Could not write file '%1': %2")
                          .arg(QFileInfo(m_fileName).absoluteFilePath(), m_file->errorString()));
    }

    QString m_fileName;
    std::optional<QSaveFile> m_file;
};

int runExport(const QCommandLineParser &parser)
{
    const QString format =
        requiredChoice(parser, exportFormatOption,
                       {QStringLiteral("html"), QStringLiteral("json"), QStringLiteral("csv")},
                       QStringLiteral("html"));
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("export takes no arguments; name the file with -o"));
    const OpenCatalogue catalogue(parser);
    Output output(parser.value(outputOption));
    qsizetype count = 0;
    if (format == u"html") {
        papers::writeBookmarkFile(
            catalogue.db(), [&](QByteArrayView piece) { output.write(piece); }, &count);
    } else {
        const QList<Paper> list = papers::read(catalogue.db(), half::Half::None);
        count = list.size();
        output.write(papers::formatted(list, formatFrom(format)).toUtf8());
    }
    output.commit();
    if (parser.isSet(outputOption))
        err() << QStringLiteral("Exported %1 papers from '%2' to '%3'.\n")
                     .arg(count)
                     .arg(catalogue.path(),
                          QFileInfo(parser.value(outputOption)).absoluteFilePath());
    return exitOk;
}

// ---- import -------------------------------------------------------------

const QCommandLineOption halfOption(
    QStringLiteral("half"),
    QStringLiteral("domestic or foreign: the half of bookmarks outside a \"国内报纸\" or "
                   "\"国外报纸\" folder."),
    QStringLiteral("HALF"));
const QCommandLineOption dryRunOption(QStringLiteral("dry-run"),
                                      QStringLiteral("Shows what would be imported; writes "
                                                     "nothing."));

QList<bookmarkfile::Bookmark> readBookmarkFile(const QString &fileName)
{
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(
            QStringLiteral("Could not read file '%1': %2").arg(absolute, file.errorString()));
    if (file.size() > maxBookmarkFileBytes)
        throw Failure(QStringLiteral("The file '%1' is too large for a bookmark file (%2 MB; at "
                                     "most %3 MB)")
                          .arg(absolute)
                          .arg(file.size() >> 20)
                          .arg(maxBookmarkFileBytes >> 20));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(
            QStringLiteral("Could not read file '%1': %2").arg(absolute, file.errorString()));
    const QString text = QString::fromUtf8(bytes);
    const bookmarkfile::ReadResult result = bookmarkfile::read(text);
    if (!result.isBookmarkFile)
        throw Failure(QStringLiteral("The file '%1' is not a Netscape bookmark file "
                                     "(<!DOCTYPE NETSCAPE-Bookmark-file-1>)")
                          .arg(absolute));
    return result.bookmarks;
}

void printDecisions(const QList<paperimport::Decision> &decisions, bool dryRun)
{
    using Kind = paperimport::Decision::Kind;
    QTextStream &stream = out();
    for (const paperimport::Decision &decision : decisions) {
        const Paper &paper = decision.paper;
        switch (decision.kind) {
        case Kind::Add:
            stream << (dryRun ? QStringLiteral("would add\t") : QStringLiteral("added\t"))
                   << path(paper) << u'\t' << paper.address << u'\n';
            break;
        case Kind::Skip:
            stream << QStringLiteral("skipped\t") << path(paper) << u'\t' << paper.address
                   << QStringLiteral("\t(") << decision.reason << QStringLiteral(")\n");
            break;
        case Kind::Refuse:
            stream << QStringLiteral("refused\t") << paper.name << u'\t' << paper.address
                   << QStringLiteral("\t(") << decision.reason << QStringLiteral(")\n");
            break;
        }
    }
}

int runImport(const QCommandLineParser &parser)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("import takes one FILE"));
    const QString halfWord = requiredChoice(
        parser, halfOption, {QStringLiteral("domestic"), QStringLiteral("foreign")}, {});
    const bool dryRun = parser.isSet(dryRunOption);
    const QList<bookmarkfile::Bookmark> bookmarks = readBookmarkFile(files.first());
    const OpenCatalogue catalogue(parser);
    const QList<paperimport::Decision> decisions =
        paperimport::run(catalogue.db(), bookmarks, half::fromWord(halfWord), dryRun);
    printDecisions(decisions, dryRun);
    const paperimport::Summary summary = paperimport::summarise(decisions);
    out() << QStringLiteral("%1 '%2' into '%3': %4 added, %5 skipped, %6 refused.%7\n")
                 .arg(dryRun ? QStringLiteral("Dry run of importing") : QStringLiteral("Imported"),
                      QFileInfo(files.first()).absoluteFilePath(), catalogue.path())
                 .arg(summary.added)
                 .arg(summary.skipped)
                 .arg(summary.refused)
                 .arg(dryRun ? QStringLiteral(" Nothing was written.") : QString());
    return exitOk;
}

// ---- check --------------------------------------------------------------

const QCommandLineOption
    concurrencyOption(QStringLiteral("concurrency"),
                      QStringLiteral("At most N requests at once (default 16)."),
                      QStringLiteral("N"), QStringLiteral("16"));
const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
                                       QStringLiteral("Gives up on a request after SECONDS "
                                                      "(default 10)."),
                                       QStringLiteral("SECONDS"), QStringLiteral("10"));
const QCommandLineOption checkFormatOption(QStringLiteral("format"),
                                           QStringLiteral("text (default) or json."),
                                           QStringLiteral("FORMAT"));
const QCommandLineOption fixRedirectsOption(
    QStringLiteral("fix-redirects"),
    QStringLiteral("Writes the new address of each permanently moved paper (301, 308) to the "
                   "catalogue."));

// A progress bar with counts, redrawn on the terminal's line.
class ProgressBar
{
public:
    void draw(const LinkChecker &checker, qsizetype total, bool last)
    {
        constexpr int width = 30;
        const int filled = total == 0 ? width : int(checker.done() * width / total);
        err() << u'\r' << u'[' << QString(filled, u'#') << QString(width - filled, u'.')
              << QStringLiteral("] ") << checker.done() << u'/' << total << QStringLiteral("  ok ")
              << checker.count(checkrules::Outcome::Ok) << QStringLiteral("  redirected ")
              << checker.count(checkrules::Outcome::Redirected) << QStringLiteral("  dead ")
              << checker.count(checkrules::Outcome::Dead) << QStringLiteral("  unreachable ")
              << checker.count(checkrules::Outcome::Unreachable)
              << (last ? QStringLiteral("\n") : QString());
        err().flush();
    }
};

QString detailOf(const checkrules::Result &result)
{
    switch (result.outcome) {
    case checkrules::Outcome::Redirected:
        return QStringLiteral("%1 -> %2")
            .arg(result.permanent() ? QStringLiteral("permanent") : QStringLiteral("temporary"),
                 result.finalAddress.toString());
    case checkrules::Outcome::Dead:
    case checkrules::Outcome::Unreachable:
        return result.reason;
    case checkrules::Outcome::Ok:
        break;
    }
    return {};
}

void printCheckText(const QList<Paper> &list, const LinkChecker &checker)
{
    QTextStream &stream = out();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const checkrules::Result &result = checker.results().at(i);
        if (result.outcome != checkrules::Outcome::Ok)
            stream << checkrules::word(result.outcome) << u'\t' << path(list.at(i)) << u'\t'
                   << list.at(i).address << u'\t' << detailOf(result) << u'\n';
    }
    stream << QStringLiteral("Checked %1 papers: %2 ok, %3 redirected, %4 dead, %5 unreachable.\n")
                  .arg(list.size())
                  .arg(checker.count(checkrules::Outcome::Ok))
                  .arg(checker.count(checkrules::Outcome::Redirected))
                  .arg(checker.count(checkrules::Outcome::Dead))
                  .arg(checker.count(checkrules::Outcome::Unreachable));
}

void printCheckJson(const QList<Paper> &list, const LinkChecker &checker)
{
    QJsonArray array;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const checkrules::Result &result = checker.results().at(i);
        QJsonObject entry{{QStringLiteral("half"), half::word(list.at(i).half)},
                          {QStringLiteral("province"), list.at(i).province},
                          {QStringLiteral("name"), list.at(i).name},
                          {QStringLiteral("address"), list.at(i).address},
                          {QStringLiteral("outcome"), checkrules::word(result.outcome)},
                          {QStringLiteral("status"), result.status}};
        if (result.outcome == checkrules::Outcome::Redirected) {
            entry.insert(QStringLiteral("final"), result.finalAddress.toString());
            entry.insert(QStringLiteral("permanent"), result.permanent());
        }
        if (!result.reason.isEmpty())
            entry.insert(QStringLiteral("reason"), result.reason);
        array.append(entry);
    }
    out() << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

// The new address of each permanently moved paper, in one transaction; a
// paper changed meanwhile by someone else keeps that change.
void fixRedirects(const OpenCatalogue &catalogue, const QList<Paper> &list,
                  const LinkChecker &checker)
{
    sqlite3 *db = catalogue.db();
    QStringList changes;
    runSql(db, "begin immediate");
    try {
        for (qsizetype i = 0; i < list.size(); ++i) {
            const checkrules::Result &result = checker.results().at(i);
            const QString target = result.permanentTarget().toString();
            if (result.outcome != checkrules::Outcome::Redirected || target.isEmpty() ||
                target == list.at(i).address)
                continue;
            const Paper &paper = list.at(i);
            const Statement change = statements::changeAddress(
                half::table(paper.half), QString::number(paper.row), paper.address, target);
            PreparedStatement(db, change.sql).run(change.values);
            if (sqlite3_changes(db) > 0)
                changes.append(QStringLiteral("changed\t%1\t%2 -> %3")
                                   .arg(path(paper), paper.address, target));
        }
        runSql(db, "commit");
    } catch (...) {
        rollbackQuietly(db);
        throw;
    }
    for (const QString &line : std::as_const(changes))
        out() << line << u'\n';
    out() << QStringLiteral("Changed %1 addresses in '%2'.\n")
                 .arg(changes.size())
                 .arg(catalogue.path());
}

int positiveNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int most)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < 1 || value > most)
        throw UsageError(QStringLiteral("--%1 takes a whole number from 1 to %2, not '%3'")
                             .arg(option.names().constFirst())
                             .arg(most)
                             .arg(parser.value(option)));
    return value;
}

int runCheck(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("check takes no arguments"));
    LinkChecker::Options options;
    options.concurrency = positiveNumber(parser, concurrencyOption, 1000);
    bool ok = false;
    const double seconds = parser.value(timeoutOption).toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 3600)
        throw UsageError(QStringLiteral("--timeout takes seconds above 0 and up to 3600, not '%1'")
                             .arg(parser.value(timeoutOption)));
    options.timeoutMs = qMax(1, int(seconds * 1000));
    const QString format =
        requiredChoice(parser, checkFormatOption, {QStringLiteral("text"), QStringLiteral("json")},
                       QStringLiteral("text"));

    const OpenCatalogue catalogue(parser);
    const QList<Paper> list = papers::read(catalogue.db(), half::Half::None);
    QStringList addresses;
    for (const Paper &paper : list)
        addresses.append(paper.address);
    LinkChecker checker(addresses, options);
    QEventLoop loop;
    QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
    ProgressBar bar;
    const bool onTerminal = isatty(STDERR_FILENO);
    if (onTerminal)
        QObject::connect(&checker, &LinkChecker::progressed, &loop,
                         [&] { bar.draw(checker, list.size(), false); });
    checker.start();
    loop.exec();
    if (onTerminal)
        bar.draw(checker, list.size(), true);

    if (format == u"json")
        printCheckJson(list, checker);
    else
        printCheckText(list, checker);
    if (parser.isSet(fixRedirectsOption))
        fixRedirects(catalogue, list, checker);
    const bool anyBroken = checker.count(checkrules::Outcome::Dead) > 0 ||
                           checker.count(checkrules::Outcome::Unreachable) > 0;
    return anyBroken ? exitFailure : exitOk;
}

// ---- the command line ---------------------------------------------------

QList<Command> commands()
{
    return {
        {QStringLiteral("list"),
         QStringLiteral("every paper with its half, province or country, name and address"),
         {domesticOption, foreignOption, listFormatOption},
         {},
         runList},
        {QStringLiteral("search"),
         QStringLiteral("papers whose name, province or country or address contains TEXT"),
         {listFormatOption},
         {QStringLiteral("TEXT"), QStringLiteral("The text to look for; ASCII case is ignored.")},
         runSearch},
        {QStringLiteral("export"),
         QStringLiteral("the catalogue as a Netscape bookmark file, JSON or CSV"),
         {exportFormatOption, outputOption},
         {},
         runExport},
        {QStringLiteral("import"),
         QStringLiteral("the bookmarks of a Netscape bookmark file into the catalogue"),
         {halfOption, dryRunOption},
         {QStringLiteral("FILE"), QStringLiteral("The bookmark file to read.")},
         runImport},
        {QStringLiteral("check"),
         QStringLiteral("requests every paper's address and reports those that are not ok"),
         {concurrencyOption, timeoutOption, checkFormatOption, fixRedirectsOption},
         {},
         runCheck},
    };
}

QString overview()
{
    QString text = QStringLiteral("Usage: %1 [--catalogue FILE] COMMAND [options]\n\n"
                                  "Works on the newspaper catalogue from the command line.\n\n"
                                  "Options:\n"
                                  "  --catalogue FILE  The catalogue file to work on.\n"
                                  "  -h, --help        Shows this help.\n"
                                  "  -v, --version     Shows the version.\n\n"
                                  "Commands:\n")
                       .arg(programName);
    for (const Command &command : commands())
        text += QStringLiteral("  %1  %2\n").arg(command.name.leftJustified(7), command.summary);
    text += QStringLiteral("\n%1 COMMAND --help shows a command's options.\n").arg(programName);
    return text;
}

int runCommand(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary);
    parser.addOption(catalogueOption);
    parser.addOption(helpOption);
    parser.addOptions(command.options);
    for (qsizetype i = 0; i + 1 < command.positional.size(); i += 2)
        parser.addPositionalArgument(command.positional.at(i), command.positional.at(i + 1));
    if (!parser.parse(QStringList{programName} + arguments))
        throw UsageError(parser.errorText());
    if (parser.isSet(helpOption)) {
        out() << helpOf(command, parser);
        return exitOk;
    }
    return command.run(parser);
}

int dispatch(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(catalogueOption);
    parser.addOption(helpOption);
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Shows the version."));
    parser.addOption(versionOption);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        throw UsageError(parser.errorText());
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) {
        if (parser.isSet(versionOption)) {
            out() << programName << u' ' << QStringLiteral(KELVANE_VERSION) << u'\n';
            return exitOk;
        }
        if (parser.isSet(helpOption)) {
            out() << overview();
            return exitOk;
        }
        throw UsageError(QStringLiteral("no command given"));
    }
    const QString name = rest.takeFirst();
    if (parser.isSet(catalogueOption))
        rest.prepend(QStringLiteral("--catalogue=") + parser.value(catalogueOption));
    for (const Command &command : commands())
        if (command.name == name)
            return runCommand(command, rest);
    throw UsageError(QStringLiteral("unknown command '%1'").arg(name));
}

} // namespace

int run(const QStringList &arguments)
{
    out().setEncoding(QStringConverter::Utf8);
    err().setEncoding(QStringConverter::Utf8);
    int code = exitOk;
    try {
        code = dispatch(arguments);
    } catch (const UsageError &error) {
        err() << programName << QStringLiteral(": ") << error.message() << u'\n'
              << QStringLiteral("Run '%1 --help' for the commands and '%1 COMMAND --help' for "
                                "a command's options.\n")
                     .arg(programName);
        code = exitUsage;
    } catch (const Failure &failure) {
        out().flush();
        err() << programName << QStringLiteral(": ") << failure.message() << u'\n';
        code = exitFailure;
    }
    out().flush();
    err().flush();
    return code;
}

} // namespace cataloguetool
