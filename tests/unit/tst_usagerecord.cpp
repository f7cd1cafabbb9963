#include "find/usageformat.h"
#include "find/usagerank.h"
#include "find/usagerecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using find::Usage;
using find::UsageItem;
using Items = QList<UsageItem>;

namespace {

// A record the program could have written, and near-copies of it below.
const QByteArray wellFormed = R"({"version": 1, "papers": [
  {"half": "domestic", "name": "人民日报", "count": 3, "lastOpened": 1700000000},
  {"half": "foreign", "name": "The Times", "count": 1, "lastOpened": 0}]})";

const Items wellFormedItems{{true, u"人民日报"_qs, {3, 1700000000}},
                            {false, u"The Times"_qs, {1, 0}}};

QByteArray changed(const char *from, const char *to)
{
    QByteArray text = wellFormed;
    return text.replace(from, to);
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QRegularExpression recordWarning(u"usage record .* is ignored"_qs);

} // namespace

// The usage record: its text, its file, and how opened papers rank.
class TestUsageRecord : public QObject
{
    Q_OBJECT

private slots:
    void readsRecordsAndRefusesNearCopies_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::optional<Items>>("items");
        const std::optional<Items> damaged;
        QTest::newRow("as written") << wellFormed << std::optional(wellFormedItems);
        QTest::newRow("no papers")
            << QByteArray(R"({"version":1,"papers":[]})") << std::optional(Items{});
        QTest::newRow("unknown key kept quiet")
            << changed(R"("count": 1,)", R"("count": 1, "colour": "red",)")
            << std::optional(wellFormedItems);
        QTest::newRow("empty file") << QByteArray() << damaged;
        QTest::newRow("cut short") << wellFormed.left(wellFormed.size() - 3) << damaged;
        QTest::newRow("not an object") << QByteArray("[1, 2]") << damaged;
        QTest::newRow("other version") << changed(R"("version": 1)", R"("version": 2)") << damaged;
        QTest::newRow("version as text")
            << changed(R"("version": 1)", R"("version": "1")") << damaged;
        QTest::newRow("papers not a list") << QByteArray(R"({"version":1,"papers":{}})") << damaged;
        QTest::newRow("paper not an object")
            << QByteArray(R"({"version":1,"papers":[7]})") << damaged;
        QTest::newRow("unknown half") << changed(R"("foreign")", R"("overseas")") << damaged;
        QTest::newRow("no name") << changed(R"("name": "The Times", )", "") << damaged;
        QTest::newRow("empty name") << changed(R"("The Times")", R"("")") << damaged;
        QTest::newRow("name a number") << changed(R"("The Times")", "12") << damaged;
        QTest::newRow("count zero") << changed(R"("count": 1)", R"("count": 0)") << damaged;
        QTest::newRow("count negative") << changed(R"("count": 1)", R"("count": -1)") << damaged;
        QTest::newRow("count a fraction") << changed(R"("count": 1)", R"("count": 1.5)") << damaged;
        QTest::newRow("count too large")
            << changed(R"("count": 1)", R"("count": 1e300)") << damaged;
        QTest::newRow("count as text") << changed(R"("count": 1)", R"("count": "1")") << damaged;
        QTest::newRow("time before the epoch")
            << changed(R"("lastOpened": 0)", R"("lastOpened": -5)") << damaged;
        QTest::newRow("no time") << changed(R"(, "lastOpened": 0)", "") << damaged;
        QTest::newRow("one paper twice, case aside")
            << changed(R"("domestic", "name": "人民日报")", R"("foreign", "name": "the times")")
            << damaged;
    }

    void readsRecordsAndRefusesNearCopies()
    {
        QFETCH(QByteArray, text);
        QFETCH(std::optional<Items>, items);
        QCOMPARE(find::readUsage(text), items);
    }

    void writtenRecordReadsBack()
    {
        const Items items{{true, u"南方都市报"_qs, {12, 1712345678}},
                          {false, u"Le Monde"_qs, {1, 4102444800}}};
        QCOMPARE(find::readUsage(find::writeUsage(items)), std::optional(items));
        QCOMPARE(find::readUsage(find::writeUsage({})), std::optional(Items{}));
    }

    void keyFoldsOnlyAsciiCaseAndKeepsHalvesApart()
    {
        QCOMPARE(find::usageKey(false, u"The TIMES"_qs), find::usageKey(false, u"the times"_qs));
        QVERIFY(find::usageKey(false, u"Ärzte"_qs) != find::usageKey(false, u"ärzte"_qs));
        QVERIFY(find::usageKey(true, u"人民日报"_qs) != find::usageKey(false, u"人民日报"_qs));
    }

    void mostOpenedRanksByCountThenTimeThenCatalogue()
    {
        const QList<Usage> usage{{0, 0}, {2, 100}, {5, 50}, {2, 300}, {2, 100}, {1, 900}};
        const auto of = [&](qsizetype i) { return usage.at(i); };
        QCOMPARE(find::mostOpened(usage.size(), of, 50), (QList<qsizetype>{2, 3, 1, 4, 5}));
        QCOMPARE(find::mostOpened(usage.size(), of, 2), (QList<qsizetype>{2, 3}));
        QVERIFY(find::mostOpened(
                    3, [](qsizetype) { return Usage{}; }, 50)
                    .isEmpty());
    }

    void defaultPathFollowsXdgStateHome()
    {
        const QByteArray before = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/var/tmp/state");
        QCOMPARE(find::UsageRecord::defaultPath(), u"/var/tmp/state/kelvane/usage.json"_qs);
        qputenv("XDG_STATE_HOME", "relative/state"); // not absolute: ignored
        QCOMPARE(find::UsageRecord::defaultPath(),
                 QDir::homePath() + u"/.local/state/kelvane/usage.json"_qs);
        qputenv("XDG_STATE_HOME", before);
    }

    void countsOpeningsInAFileOfItsOwn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"state/kelvane/usage.json"_qs);
        find::UsageRecord record(path);
        QCOMPARE(record.usageOf(true, u"人民日报"_qs).count, 0); // no file yet, no warning
        record.recordOpened(true, u"人民日报"_qs, 1000);
        record.recordOpened(false, u"The Times"_qs, 2000);
        record.recordOpened(false, u"the times"_qs, 3000);

        find::UsageRecord again(path); // as the next start of the program reads it
        QCOMPARE(again.usageOf(true, u"人民日报"_qs).count, 1);
        QCOMPARE(again.usageOf(false, u"THE TIMES"_qs).count, 2);
        QCOMPARE(again.usageOf(false, u"The Times"_qs).lastOpened, 3000);
        QCOMPARE(again.usageOf(true, u"The Times"_qs).count, 0);
        QVERIFY(QDir(dir.filePath(u"state/kelvane"_qs)).entryList(QDir::Files | QDir::Hidden) ==
                QStringList{u"usage.json"_qs}); // no temporary file left beside it
    }

    void forgettingClearsTheRecordOfARunningProgram()
    {
        QTemporaryDir dir;
        const QByteArray before = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path()));
        find::UsageRecord running(find::UsageRecord::defaultPath());
        running.recordOpened(true, u"人民日报"_qs, 1000);
        QVERIFY(find::UsageRecord::forgetDefault()); // kelvane --forget-usage
        QVERIFY(!QFile::exists(running.path()));
        QCOMPARE(running.usageOf(true, u"人民日报"_qs).count, 1); // read once per search
        running.refresh();
        QCOMPARE(running.usageOf(true, u"人民日报"_qs).count, 0);
        QVERIFY(find::UsageRecord::forgetDefault()); // nothing to forget is no failure
        qputenv("XDG_STATE_HOME", before);
    }

    void damagedRecordIsIgnoredWithOneWarning_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("damaged") << u"damaged"_qs;
        QTest::newRow("unreadable: a folder") << u"folder"_qs;
        QTest::newRow("unwritable: no folder can be made") << u"blocked"_qs;
    }

    void damagedRecordIsIgnoredWithOneWarning()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"kelvane/usage.json"_qs);
        if (damage == u"blocked")
            writeFile(dir.filePath(u"kelvane"_qs), "a file where the folder goes");
        else
            QVERIFY(QDir().mkpath(damage == u"folder" ? path : dir.filePath(u"kelvane"_qs)));
        if (damage == u"damaged")
            writeFile(path, wellFormed.left(20));

        QTest::ignoreMessage(QtWarningMsg, recordWarning);
        QTest::failOnWarning(recordWarning); // a second one
        find::UsageRecord record(path);
        QCOMPARE(record.usageOf(true, u"人民日报"_qs).count, 0);
        record.recordOpened(true, u"人民日报"_qs, 1000);
        record.recordOpened(true, u"人民日报"_qs, 2000);
        // What could be kept is kept: a damaged file is replaced by a sound one.
        QCOMPARE(record.usageOf(true, u"人民日报"_qs).count, 2);
        if (damage == u"damaged")
            QCOMPARE(find::UsageRecord(path).usageOf(true, u"人民日报"_qs).count, 2);
        else
            QVERIFY(!QFileInfo(path).isFile());
    }
};

QTEST_GUILESS_MAIN(TestUsageRecord)
#include "tst_usagerecord.moc"
