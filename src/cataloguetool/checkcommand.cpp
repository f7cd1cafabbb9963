#include "catalogue/preparedstatement.h"
#include "catalogue/statement.h"
#include "cataloguetool/commandsupport.h"
#include "cataloguetool/linkchecker.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

namespace cataloguetool {

namespace {

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
        // A line ten times a second is enough to watch.
        if (!last && m_drawn.isValid() && m_drawn.elapsed() < 100)
            return;
        m_drawn.start();
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

private:
    QElapsedTimer m_drawn;
};

QString detailOf(const checkrules::Result &result)
{
    switch (result.outcome) {
    case checkrules::Outcome::Redirected:
        return QStringLiteral("%1 -> %2")
            .arg(result.permanent() ? QStringLiteral("permanent") : QStringLiteral("temporary"),
                 result.finalAddress.toString());
    case checkrules::Outcome::Dead:
        // Where the redirects led is where the page is missing.
        return result.hops.isEmpty()
                   ? result.reason
                   : QStringLiteral("%1 at %2").arg(result.reason, result.finalAddress.toString());
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
        if (!result.hops.isEmpty() && result.outcome != checkrules::Outcome::Unreachable)
            entry.insert(QStringLiteral("final"), result.finalAddress.toString());
        if (result.outcome == checkrules::Outcome::Redirected)
            entry.insert(QStringLiteral("permanent"), result.permanent());
        if (!result.reason.isEmpty())
            entry.insert(QStringLiteral("reason"), result.reason);
        array.append(entry);
    }
    out() << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

// The permanent target to write for a paper, or empty; a target the
// catalogue must not hold is reported as kept.
QString targetToWrite(const Paper &paper, const checkrules::Result &result, QStringList &kept)
{
    const QUrl target = result.permanentTarget();
    if (result.outcome != checkrules::Outcome::Redirected || target.isEmpty() ||
        target.toString() == paper.address)
        return {};
    const QString unfit = checkrules::unfitTarget(result.address, target);
    if (unfit.isEmpty())
        return target.toString();
    kept.append(QStringLiteral("kept\t%1\t%2, not %3: %4")
                    .arg(path(paper), paper.address, target.toString(QUrl::RemovePassword), unfit));
    return {};
}

// The new address of each permanently moved paper, in one transaction; a
// paper changed meanwhile by someone else keeps that change.
void fixRedirects(const OpenCatalogue &catalogue, const QList<Paper> &list,
                  const LinkChecker &checker, QTextStream &report)
{
    sqlite3 *db = catalogue.db();
    QStringList changes;
    QStringList kept;
    runSql(db, QStringLiteral("begin immediate"));
    try {
        for (qsizetype i = 0; i < list.size(); ++i) {
            const Paper &paper = list.at(i);
            const QString target = targetToWrite(paper, checker.results().at(i), kept);
            if (target.isEmpty())
                continue;
            const Statement change = statements::changeAddress(
                half::table(paper.half), QString::number(paper.row), paper.address, target);
            PreparedStatement statement(db, change.sql);
            statement.run(change.values);
            if (statement.changes() > 0)
                changes.append(QStringLiteral("changed\t%1\t%2 -> %3")
                                   .arg(path(paper), paper.address, target));
        }
        runSql(db, QStringLiteral("commit"));
    } catch (...) {
        rollbackQuietly(db);
        throw;
    }
    for (const QString &line : std::as_const(kept) + changes)
        report << line << u'\n';
    report << QStringLiteral("Changed %1 addresses in '%2'.\n")
                  .arg(changes.size())
                  .arg(catalogue.path());
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

    const OpenCatalogue catalogue(parser, parser.isSet(fixRedirectsOption)
                                              ? OpenCatalogue::Access::ReadWrite
                                              : OpenCatalogue::Access::ReadOnly);
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
        // JSON output stays one document: the changes go beside it.
        fixRedirects(catalogue, list, checker, format == u"json" ? err() : out());
    const bool anyBroken = checker.count(checkrules::Outcome::Dead) > 0 ||
                           checker.count(checkrules::Outcome::Unreachable) > 0;
    return anyBroken ? exitFailure : exitOk;
}

} // namespace

Command checkCommand()
{
    return {QStringLiteral("check"),
            QStringLiteral("requests every paper's address and reports those that are not ok"),
            {concurrencyOption, timeoutOption, checkFormatOption, fixRedirectsOption},
            {},
            runCheck};
}

} // namespace cataloguetool
