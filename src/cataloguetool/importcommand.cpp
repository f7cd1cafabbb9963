#include "cataloguetool/bookmarkfile.h"
#include "cataloguetool/bookmarktext.h"
#include "cataloguetool/commandsupport.h"
#include "cataloguetool/paperimport.h"
#include "core/failure.h"
#include "core/printabletext.h"

#include <QFile>
#include <QFileInfo>

namespace cataloguetool {

namespace {

// A bookmark file beyond this size is refused rather than read into memory.
constexpr qint64 maxBookmarkFileBytes = 512LL * 1024 * 1024;
// A refused name or address is shown cut to this many characters.
constexpr qsizetype shownMost = 200;

const QCommandLineOption halfOption(
    QStringLiteral("half"),
    QStringLiteral("domestic or foreign: the half of bookmarks outside a \"国内报纸\" or "
                   "\"国外报纸\" folder."),
    QStringLiteral("HALF"));
const QCommandLineOption dryRunOption(QStringLiteral("dry-run"),
                                      QStringLiteral("Shows what would be imported; writes "
                                                     "nothing."));

// Bytes that fail to decode would be stored as U+FFFD: nothing is imported,
// and the user is told how to say what the file holds.
QString undecodable(const QString &absolute, const bookmarktext::Decoded &decoded)
{
    const QString what =
        decoded.declared ? QStringLiteral("not valid %1 text as it declares").arg(decoded.encoding)
                         : QStringLiteral("neither UTF-8 nor GB18030 text");
    return QStringLiteral("The file '%1' is %2; nothing was imported. Add a charset declaration "
                          "that names its encoding, such as <META HTTP-EQUIV=\"Content-Type\" "
                          "CONTENT=\"text/html; charset=GBK\">")
        .arg(absolute, what);
}

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
    // Browsers write UTF-8 and say so; an older file may be UTF-16 with a
    // byte-order mark, name another character set (GBK) in its META tag, or
    // be GB18030 and say nothing.
    const bookmarktext::Decoded decoded = bookmarktext::decode(bytes);
    const bookmarkfile::ReadResult result = bookmarkfile::read(decoded.text);
    if (!result.isBookmarkFile)
        throw Failure(QStringLiteral("The file '%1' is not a Netscape bookmark file "
                                     "(<!DOCTYPE NETSCAPE-Bookmark-file-1>)")
                          .arg(absolute));
    if (!decoded.whole)
        throw Failure(undecodable(absolute, decoded));
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
            // What was refused may hold anything: shown so that it cannot
            // work the terminal or break the line.
            stream << QStringLiteral("refused\t") << printabletext::visible(paper.name, shownMost)
                   << u'\t' << printabletext::visible(paper.address, shownMost)
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
    const OpenCatalogue catalogue(parser, dryRun ? OpenCatalogue::Access::ReadOnly
                                                 : OpenCatalogue::Access::ReadWrite);
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

} // namespace

Command importCommand()
{
    return {QStringLiteral("import"),
            QStringLiteral("the bookmarks of a Netscape bookmark file into the catalogue"),
            {halfOption, dryRunOption},
            {QStringLiteral("FILE"), QStringLiteral("The bookmark file to read.")},
            runImport};
}

} // namespace cataloguetool
