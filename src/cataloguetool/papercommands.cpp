#include "cataloguetool/bookmarkfile.h"
#include "cataloguetool/commandsupport.h"
#include "cataloguetool/output.h"
#include "find/findengine.h"

#include <QFileInfo>

namespace cataloguetool {

namespace {

const QCommandLineOption domesticOption(QStringLiteral("domestic"),
                                        QStringLiteral("Only the domestic papers."));
const QCommandLineOption foreignOption(QStringLiteral("foreign"),
                                       QStringLiteral("Only the foreign papers."));
const QCommandLineOption listFormatOption(QStringLiteral("format"),
                                          QStringLiteral("text (default), json or csv."),
                                          QStringLiteral("FORMAT"));

papers::Format listFormat(const QCommandLineParser &parser)
{
    return formatFrom(
        requiredChoice(parser, listFormatOption,
                       {QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")},
                       QStringLiteral("text")));
}

int runList(const QCommandLineParser &parser)
{
    if (parser.isSet(domesticOption) && parser.isSet(foreignOption))
        throw UsageError(QStringLiteral("give --domestic or --foreign, not both"));
    const papers::Format format = listFormat(parser);
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("list takes no arguments"));
    const half::Half only = parser.isSet(domesticOption)  ? half::Half::Domestic
                            : parser.isSet(foreignOption) ? half::Half::Foreign
                                                          : half::Half::None;
    const OpenCatalogue catalogue(parser);
    out() << papers::formatted(papers::read(catalogue.db(), only), format);
    return exitOk;
}

const QCommandLineOption limitOption(QStringLiteral("limit"),
                                     QStringLiteral("Shows at most N papers (default 20)."),
                                     QStringLiteral("N"));

int runSearch(const QCommandLineParser &parser)
{
    const QStringList words = parser.positionalArguments();
    if (words.size() != 1)
        throw UsageError(QStringLiteral("search takes one TEXT"));
    const papers::Format format = listFormat(parser);
    const int limit =
        parser.isSet(limitOption) ? positiveNumber(parser, limitOption, 1'000'000) : 20;
    const OpenCatalogue catalogue(parser);
    const QList<Paper> all = papers::read(catalogue.db(), half::Half::None);
    QList<find::Entry> entries;
    entries.reserve(all.size());
    for (const Paper &paper : all)
        entries.append(
            {paper.name, paper.province, paper.address, paper.half == half::Half::Domestic});
    find::Engine engine;
    engine.setEntries(std::move(entries));
    QList<Paper> found;
    for (const qsizetype i : engine.search(words.first(), limit))
        found.append(all.at(i));
    out() << papers::formatted(found, format);
    return exitOk;
}

const QCommandLineOption exportFormatOption(QStringLiteral("format"),
                                            QStringLiteral("html (default), json or csv."),
                                            QStringLiteral("FORMAT"));
const QCommandLineOption outputOption(
    QStringList{QStringLiteral("o"), QStringLiteral("output")},
    QStringLiteral("Writes to FILE instead of standard output (- for standard output)."),
    QStringLiteral("FILE"));

// The file that -o names; "-" (standard output) when none is named.
QString exportTarget(const QCommandLineParser &parser)
{
    if (!parser.isSet(outputOption))
        return QStringLiteral("-");
    const QString target = parser.value(outputOption);
    // An unset shell variable must not become a file named after nothing.
    if (target.isEmpty())
        throw UsageError(QStringLiteral("-o takes a file name, or - for standard output"));
    return target;
}

int runExport(const QCommandLineParser &parser)
{
    const QString format =
        requiredChoice(parser, exportFormatOption,
                       {QStringLiteral("html"), QStringLiteral("json"), QStringLiteral("csv")},
                       QStringLiteral("html"));
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("export takes no arguments; name the file with -o"));
    const QString target = exportTarget(parser);
    const OpenCatalogue catalogue(parser);
    refuseCatalogueFiles(target, catalogue.path());
    Output output(target);
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
    if (target != u"-")
        err() << QStringLiteral("Exported %1 papers from '%2' to '%3'.\n")
                     .arg(count)
                     .arg(catalogue.path(), QFileInfo(target).absoluteFilePath());
    return exitOk;
}

} // namespace

Command listCommand()
{
    return {QStringLiteral("list"),
            QStringLiteral("every paper with its half, province or country, name and address"),
            {domesticOption, foreignOption, listFormatOption},
            {},
            runList};
}

Command searchCommand()
{
    return {
        QStringLiteral("search"),
        QStringLiteral("papers found by name, pinyin, province or country, or host, best first"),
        {listFormatOption, limitOption},
        {QStringLiteral("TEXT"),
         QStringLiteral("What to find: words that must all match, each as Chinese text, pinyin "
                        "(full or initials), a Latin name (case and accents ignored) or a "
                        "host.")},
        runSearch};
}

Command exportCommand()
{
    return {QStringLiteral("export"),
            QStringLiteral("the catalogue as a Netscape bookmark file, JSON or CSV"),
            {exportFormatOption, outputOption},
            {},
            runExport};
}

} // namespace cataloguetool
