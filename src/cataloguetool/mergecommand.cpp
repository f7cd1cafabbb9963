#include "catalogue/basefile.h"
#include "catalogue/cataloguemerge.h"
#include "cataloguetool/commandsupport.h"
#include "cataloguetool/paperimport.h"
#include "core/printabletext.h"

#include <QFileInfo>
#include <future>

namespace cataloguetool {

namespace {

using mergerules::Decision;

// A refused name or address is shown cut to this many characters.
constexpr qsizetype shownMost = 200;

const QCommandLineOption baseOption(
    QStringLiteral("base"),
    QStringLiteral("The starter the catalogue was last made or merged from (a catalogue or its "
                   "SQL); by default the base kept beside the catalogue, if any. Without a base "
                   "only missing papers are added."),
    QStringLiteral("FILE"));
const QCommandLineOption dryRunOption(QStringLiteral("dry-run"),
                                      QStringLiteral("Shows what would be merged; writes "
                                                     "nothing."));

Paper shown(const mergerules::Paper &paper)
{
    return {paper.domestic ? half::Half::Domestic : half::Half::Foreign, paper.province, paper.name,
            paper.address};
}

// What import refuses is not merged either.
QString refusal(const mergerules::Paper &paper)
{
    return paperimport::refusal(shown(paper));
}

QString lineOf(const Decision &decision, bool dryRun)
{
    const QString where = path(shown(decision.paper));
    const QString address = decision.paper.address;
    switch (decision.kind) {
    case Decision::Kind::Add:
        return (dryRun ? QStringLiteral("would add\t") : QStringLiteral("added\t")) + where +
               u'\t' + address;
    case Decision::Kind::Update:
        return (dryRun ? QStringLiteral("would update\t") : QStringLiteral("updated\t")) + where +
               u'\t' + address +
               QStringLiteral("\t(was %1, %2)")
                   .arg(decision.user->province, decision.user->address);
    case Decision::Kind::KeepChanged:
        return QStringLiteral("kept\t") + where + u'\t' + decision.user->address +
               QStringLiteral("\t(changed in the catalogue; the starter has %1)").arg(address);
    case Decision::Kind::Dropped:
        return QStringLiteral("kept\t") + where + u'\t' + decision.user->address +
               QStringLiteral("\t(no longer in the starter)");
    case Decision::Kind::Refused:
        // What was refused may hold anything: shown so that it cannot work
        // the terminal or break the line.
        return QStringLiteral("refused\t") +
               printabletext::visible(decision.paper.name, shownMost) + u'\t' +
               printabletext::visible(address, shownMost) + QStringLiteral("\t(") +
               decision.reason + u')';
    case Decision::Kind::SkipDeleted:
        break;
    }
    return QStringLiteral("skipped\t") + where + u'\t' + address +
           QStringLiteral("\t(deleted from the catalogue)");
}

std::optional<cataloguemerge::Papers> baseFor(const QCommandLineParser &parser,
                                              const QString &cataloguePath)
{
    if (parser.isSet(baseOption)) {
        if (parser.value(baseOption).isEmpty())
            throw UsageError(QStringLiteral("--base needs a file name"));
        return cataloguemerge::readPapers(parser.value(baseOption));
    }
    return basefile::read(basefile::pathFor(cataloguePath));
}

int runMerge(const QCommandLineParser &parser)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("merge takes one FILE"));
    const bool dryRun = parser.isSet(dryRunOption);
    // The starter is read while the catalogue is opened and the base read.
    std::future<cataloguemerge::Papers> starter =
        std::async(std::launch::async, cataloguemerge::readPapers, files.first());
    const OpenCatalogue catalogue(parser, dryRun ? OpenCatalogue::Access::ReadOnly
                                                 : OpenCatalogue::Access::ReadWrite);
    const std::optional<cataloguemerge::Papers> base = baseFor(parser, catalogue.path());
    const QList<Decision> decisions =
        cataloguemerge::merge(catalogue.db(), base, starter.get(), dryRun, {}, refusal);
    for (const Decision &decision : decisions)
        out() << lineOf(decision, dryRun) << u'\n';
    const mergerules::Summary summary = mergerules::summarise(decisions);
    out() << QStringLiteral(
                 "%1 '%2' into '%3': %4 added, %5 updated, %6 kept, %7 skipped, %8 refused.%9\n")
                 .arg(dryRun ? QStringLiteral("Dry run of merging") : QStringLiteral("Merged"),
                      QFileInfo(files.first()).absoluteFilePath(), catalogue.path())
                 .arg(summary.added)
                 .arg(summary.updated)
                 .arg(summary.kept + summary.dropped)
                 .arg(summary.skipped)
                 .arg(summary.refused)
                 .arg(dryRun ? QStringLiteral(" Nothing was written.") : QString());
    return exitOk;
}

} // namespace

Command mergeCommand()
{
    return {QStringLiteral("merge"),
            QStringLiteral("Merges the papers of a newer starter catalogue into the catalogue."),
            {baseOption, dryRunOption},
            {QStringLiteral("FILE"),
             QStringLiteral("The starter: a catalogue file, or the SQL that makes one.")},
            runMerge};
}

} // namespace cataloguetool
