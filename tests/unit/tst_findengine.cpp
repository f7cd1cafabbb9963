#include "find/findengine.h"
#include "find/findtables.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using find::Engine;
using find::Entry;

namespace {

QString sourceFile(const QString &relative)
{
    return qEnvironmentVariable("KELVANE_SOURCE_DIR") + u'/' + relative;
}

// The shipped catalogue's papers in the file's order, which is the menus'.
QList<Entry> shippedEntries()
{
    QFile file(sourceFile(u"database/padr.sql"_qs));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the shipped catalogue");
    static const QRegularExpression row(u"^\\s*\\('([^']*)', '([^']*)', '([^']*)'\\)"_qs);
    QList<Entry> entries;
    bool domestic = true;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u"INSERT INTO"))
            domestic = line.contains(u"pinternal");
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch())
            entries.append({match.captured(2), match.captured(1), match.captured(3), domestic});
    }
    return entries;
}

QStringList names(const Engine &engine, const QList<qsizetype> &found)
{
    QStringList out;
    for (const qsizetype i : found)
        out.append(engine.entries().at(i).name);
    return out;
}

} // namespace

// The find engine over the shipped catalogue: what a reader types, and what
// comes first.
class TestFindEngine : public QObject
{
    Q_OBJECT

private slots:
    void firstHits_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("added");  // a paper put after the shipped ones, or ""
        QTest::addColumn<QString>("opened"); // a paper opened before, or ""
        QTest::addColumn<QString>("first");  // "" when nothing may match
        QTest::addColumn<QString>("below");  // found, but after the first, or ""
        QTest::addColumn<QString>("absent"); // never found, or ""
        const auto row = [](const char *name, const QString &query, const QString &first,
                            const QString &below = {}, const QString &absent = {},
                            const QString &added = {}, const QString &opened = {}) {
            QTest::newRow(name) << query << added << opened << first << below << absent;
        };
        row("characters", u"人民日报"_qs, u"人民日报"_qs, {}, u"光明日报"_qs);
        row("substring", u"日报"_qs, u"人民日报"_qs, u"光明日报"_qs, u"新京报"_qs);
        row("full pinyin", u"renminribao"_qs, u"人民日报"_qs, {}, u"光明日报"_qs);
        row("apostrophe", u"ren'min"_qs, u"人民日报"_qs, u"人民政协报"_qs);
        row("unfinished", u"renminr"_qs, u"人民日报"_qs, {}, u"人民政协报"_qs);
        row("initials", u"rmrb"_qs, u"人民日报"_qs);
        row("dushibao initials", u"nfdsb"_qs, u"南方都市报"_qs, {}, u"南方日报"_qs);
        row("mixed characters", u"人民rb"_qs, u"人民日报"_qs, {}, u"人民政协报"_qs);
        row("mixed pinyin", u"renminrb"_qs, u"人民日报"_qs);
        row("mixed later", u"nanfangdsb"_qs, u"南方都市报"_qs);
        row("spaces", u"ren min ri bao"_qs, u"人民日报"_qs);
        row("upper case", u"RMRB"_qs, u"人民日报"_qs);
        row("word reading", u"dushibao"_qs, u"燕赵都市报"_qs, u"南方都市报"_qs);
        row("other reading below", u"doushibao"_qs, u"豆市报"_qs, u"燕赵都市报"_qs, {},
            u"豆市报"_qs);
        row("chang sha", u"changsha"_qs, u"长沙晚报"_qs);
        row("zhang sha alone", u"zhangsha"_qs, u"长沙晚报"_qs);
        row("zhang sha below exact", u"zhangsha"_qs, u"张沙日报"_qs, u"长沙晚报"_qs, {},
            u"张沙日报"_qs);
        row("xiamen", u"xiamen"_qs, u"厦门日报"_qs);
        row("chengdu", u"chengdu"_qs, u"成都日报"_qs, u"成都商报"_qs);
        row("xizang", u"xizang"_qs, u"西藏日报"_qs, u"西藏商报"_qs);
        row("chongqing", u"chongqing"_qs, u"重庆日报"_qs);
        row("place name list", u"luan"_qs, u"六安日报"_qs, {}, {}, u"六安日报"_qs);
        row("place name other reading", u"liuan"_qs, u"六安日报"_qs, {}, {}, u"六安日报"_qs);
        row("laoting", u"laoting"_qs, u"乐亭报"_qs, {}, {}, u"乐亭报"_qs);
        row("and", u"北京 晚报"_qs, u"北京晚报"_qs, {}, u"人民日报"_qs);
        row("and pinyin", u"guangdong ribao"_qs, u"南方日报"_qs, u"广州日报"_qs, u"羊城晚报"_qs);
        row("province", u"guangxi"_qs, u"广西日报"_qs, u"南国早报"_qs);
        row("traditional", u"人民日報"_qs, u"人民日报"_qs);
        row("traditional lianhe", u"聯合報"_qs, u"联合报"_qs);
        row("traditional guangzhou", u"廣州日報"_qs, u"广州日报"_qs, {}, u"人民日报"_qs);
        row("accent dropped", u"liberation"_qs, u"Libération"_qs);
        row("accent typed", u"Süddeutsche"_qs, u"Süddeutsche Zeitung"_qs);
        row("accent capital", u"echos"_qs, u"Les Échos"_qs);
        row("latin", u"guardian"_qs, u"The Guardian"_qs, {}, u"The Times"_qs);
        row("latin two terms", u"le monde"_qs, u"Le Monde"_qs, {}, u"Le Figaro"_qs);
        row("latin whole", u"thetimes"_qs, u"The Times"_qs, {}, u"The Guardian"_qs);
        row("host", u"people.com"_qs, u"人民日报"_qs, {}, u"光明日报"_qs);
        row("host latin", u"nytimes"_qs, u"The New York Times"_qs);
        row("nothing", u"xyzzyq"_qs, {});
        row("nothing chinese", u"火星日报"_qs, {});
        row("usage breaks ties", u"rb"_qs, u"光明日报"_qs, u"人民日报"_qs, {}, {}, u"光明日报"_qs);
        row("equal beats usage", u"xinbao"_qs, u"信报"_qs, u"北方新报"_qs, {}, {}, u"北方新报"_qs);
        row("initials beat usage", u"nfrb"_qs, u"南方日报"_qs, u"南方日报海外版"_qs, {},
            u"南方日报海外版"_qs, u"南方日报海外版"_qs);
        row("empty lists the opened", u""_qs, u"The Sun"_qs, u"人民日报"_qs, {}, {}, u"The Sun"_qs);
    }

    void firstHits()
    {
        QFETCH(QString, query);
        QFETCH(QString, added);
        QFETCH(QString, opened);
        QFETCH(QString, first);
        QFETCH(QString, below);
        QFETCH(QString, absent);
        QList<Entry> entries = m_shipped;
        if (!added.isEmpty())
            entries.append({added, u"测试"_qs, u"https://example.org/"_qs, true});
        Engine engine;
        engine.setEntries(entries);
        const auto usage = [&](qsizetype i) {
            return entries.at(i).name == opened ? find::Usage{3, 1'700'000'000} : find::Usage{};
        };
        const QStringList found = names(engine, engine.search(query, 1000, usage));
        QCOMPARE(found.value(0), first);
        if (!below.isEmpty())
            QVERIFY2(found.indexOf(below) > 0, qPrintable(found.join(u' ')));
        if (!absent.isEmpty())
            QVERIFY2(!found.contains(absent), qPrintable(found.join(u' ')));
    }

    // Each hit's tier, as the desktop's search ranks by it: the whole name
    // typed, its start, its initials, or a match elsewhere; the ranked search
    // finds what the plain one finds, in the same order, better tiers first.
    void tiers_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<find::Tier>("tier"); // of the first hit, 人民日报
        QTest::newRow("characters") << u"人民日报"_qs << find::Tier::Equal;
        QTest::newRow("full pinyin") << u"renminribao"_qs << find::Tier::Equal;
        QTest::newRow("start") << u"renmin"_qs << find::Tier::Prefix;
        QTest::newRow("initials") << u"rmrb"_qs << find::Tier::Initials;
        QTest::newRow("elsewhere") << u"民日"_qs << find::Tier::Primary;
    }

    void tiers()
    {
        QFETCH(QString, query);
        QFETCH(find::Tier, tier);
        Engine engine;
        engine.setEntries(m_shipped);
        const QList<find::Found> ranked = engine.rankedSearch(query, 1000);
        QVERIFY(!ranked.isEmpty());
        QCOMPARE(engine.entries().at(ranked.first().entry).name, u"人民日报"_qs);
        QCOMPARE(ranked.first().tier, tier);
        QList<qsizetype> entries;
        for (qsizetype i = 0; i < ranked.size(); ++i) {
            entries.append(ranked[i].entry);
            if (i > 0)
                QVERIFY(ranked[i - 1].tier <= ranked[i].tier);
        }
        QCOMPARE(entries, engine.search(query, 1000));
    }

    // The limit cuts the ranked list, best first.
    void limit()
    {
        Engine engine;
        engine.setEntries(m_shipped);
        const QList<qsizetype> all = engine.search(u"rb"_qs, 1000);
        QVERIFY(all.size() > 50);
        QCOMPARE(engine.search(u"rb"_qs, 5), all.mid(0, 5));
        QCOMPARE(engine.search(u"rb"_qs, 0), QList<qsizetype>());
    }

    // New entries are seen at the next search.
    void followsTheEntries()
    {
        Engine engine;
        engine.setEntries(m_shipped);
        QCOMPARE(engine.search(u"zsrb"_qs, 10), QList<qsizetype>());
        QList<Entry> more = m_shipped;
        more.append({u"中山日报"_qs, u"广东"_qs, u"https://www.zsnews.cn/"_qs, true});
        engine.setEntries(more);
        QCOMPARE(engine.search(u"zsrb"_qs, 10), QList<qsizetype>{m_shipped.size()});
    }

    // Typing on (the next search looks among the last one's hits) and
    // back finds what a search from scratch finds.
    void typingOnAndBack()
    {
        Engine typing;
        typing.setEntries(m_shipped);
        const QStringList texts = {u"r"_qs,           u"re"_qs,     u"ren'"_qs, u"renm"_qs,
                                   u"renmin rb"_qs,   u"renmin"_qs, u"rmrb"_qs, u"guangdong "_qs,
                                   u"guangdong r"_qs, u"g"_qs};
        for (const QString &text : texts) {
            Engine fresh;
            fresh.setEntries(m_shipped);
            QCOMPARE(typing.search(text, 1000), fresh.search(text, 1000));
        }
    }

    // Without a sound data file: one warning, no pinyin, everything else
    // found. The file is used as it lies, so a damaged one must be refused
    // whole before any lookup could follow it out of bounds.
    void withoutTables_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("why");
        QFile file(find::dataFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray sound = file.readAll();
        QByteArray tooMany = sound;
        tooMany[8 + 4 * 4] = '\xff'; // the number of words, far beyond the file
        QByteArray shortWords = sound;
        shortWords.replace(8 + 8 * 4, 4, QByteArray("\1\0\0\0", 4)); // longest word: 1 character
        QTest::newRow("missing") << QByteArray() << u"No such file"_qs;
        QTest::newRow("the old text") << QByteArray("# Kelvane's find tables\n[characters]\n")
                                      << u"not a find tables file"_qs;
        QTest::newRow("cut short") << sound.left(sound.size() / 2) << u"cut short"_qs;
        QTest::newRow("header cut short") << sound.left(12) << u"cut short"_qs;
        QTest::newRow("counts beyond the file") << tooMany << u"cut short"_qs;
        QTest::newRow("words longer than the longest") << shortWords << u"damaged"_qs;
    }

    void withoutTables()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"findtables.bin"_qs);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"cannot read the find tables .*"_qs +
                                                              QRegularExpression::escape(why)));
        const auto tables = find::Tables::load(path);
        QVERIFY(tables->isEmpty());
        QCOMPARE(tables->readings(u'长').size(), std::size_t(0));
        QCOMPARE(tables->simplified(u'長'), QChar(u'長'));
        Engine engine;
        engine.setTables(tables);
        engine.setEntries(m_shipped);
        QCOMPARE(names(engine, engine.search(u"rmrb"_qs, 10)), QStringList());
        QCOMPARE(names(engine, engine.search(u"日报"_qs, 1)), QStringList{u"人民日报"_qs});
        QCOMPARE(names(engine, engine.search(u"Liberation"_qs, 1)), QStringList{u"Libération"_qs});
        QCOMPARE(names(engine, engine.search(u"people.com"_qs, 1)), QStringList{u"人民日报"_qs});
    }

    // Every shipped domestic name reads as the checked list says.
    void primaryReadings()
    {
        QFile file(sourceFile(u"tests/unit/data/primaryreadings.txt"_qs));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList domestic;
        for (const Entry &entry : std::as_const(m_shipped))
            if (entry.domestic)
                domestic << entry.name << entry.province;
        domestic.removeDuplicates();
        const auto tables = find::Tables::shared();
        QVERIFY(!tables->isEmpty());
        QStringList checked;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QString name = line.section(u'\t', 0, 0);
            QCOMPARE(find::primaryReading(*tables, name), line.section(u'\t', 1));
            checked.append(name);
        }
        QCOMPARE(checked.size(), 211);
        checked.sort();
        domestic.sort();
        QCOMPARE(checked, domestic);
    }

private:
    QList<Entry> m_shipped = shippedEntries();
};

QTEST_GUILESS_MAIN(TestFindEngine)
#include "tst_findengine.moc"
