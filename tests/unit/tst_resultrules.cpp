#include "find/findengine.h"
#include "searchprovider/resultrules.h"

#include <QTest>

using namespace searchprovider;

// What the desktop's search is told about a paper: ids that name the paper
// itself, the line under its name, and KRunner's relevance.
class TestResultRules : public QObject
{
    Q_OBJECT

private slots:
    // Whatever a paper is called, its id names it and no other paper.
    void idsNameThePaper_data()
    {
        QTest::addColumn<bool>("domestic");
        QTest::addColumn<QString>("province");
        QTest::addColumn<QString>("name");
        QTest::newRow("chinese") << true << u"北京"_qs << u"人民日报"_qs;
        QTest::newRow("foreign") << false << u"英国"_qs << u"The Times"_qs;
        QTest::newRow("separators") << true << u"a/b"_qs << u"c/d%2F/e"_qs;
        QTest::newRow("markup") << true << u"<i>省</i>"_qs << u"<b>粗体</b> &amp; Co"_qs;
        QTest::newRow("controls") << false << u"\t"_qs << u"\x1b[2J\u202e报\n"_qs;
        QTest::newRow("empty province") << true << u""_qs << u"某报"_qs;
        QTest::newRow("long") << true << u"省"_qs << QString(5000, u'报');
    }

    void idsNameThePaper()
    {
        QFETCH(bool, domestic);
        QFETCH(QString, province);
        QFETCH(QString, name);
        const find::Entry paper{name, province, u"http://a.example/"_qs, domestic};
        const QString id = resultId(paper);
        QCOMPARE(paperKeyOf(id), (PaperKey{domestic, province, name}));
        QVERIFY(isPaper(paper, *paperKeyOf(id)));
        // Plain ASCII without spaces: safe in any log line and any bus message.
        QVERIFY(!id.contains(u' ') && id.toLatin1() == id.toUtf8());
        find::Entry other = paper;
        other.domestic = !domestic;
        QVERIFY(!isPaper(other, *paperKeyOf(id)));
        other = paper;
        other.province += u'x';
        QVERIFY(resultId(other) != id);
        QVERIFY(!isPaper(other, *paperKeyOf(id)));
    }

    void textThatIsNoId_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("empty") << u""_qs;
        QTest::newRow("half only") << u"d"_qs;
        QTest::newRow("no name") << u"d/北京"_qs;
        QTest::newRow("other half") << u"x/北京/人民日报"_qs;
        QTest::newRow("upper case half") << u"D/a/b"_qs;
        QTest::newRow("too many parts") << u"d/a/b/c"_qs;
        QTest::newRow("an index") << u"3"_qs;
    }

    void textThatIsNoId()
    {
        QFETCH(QString, id);
        QCOMPARE(paperKeyOf(id), std::nullopt);
    }

    // Plain text: markup comes back as it is, for the shell shows it as text.
    void description_data()
    {
        QTest::addColumn<QString>("province");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::newRow("host") << u"北京"_qs << u"http://www.people.com.cn/"_qs
                              << u"北京 · www.people.com.cn"_qs;
        QTest::newRow("bare host")
            << u"英国"_qs << u"www.thetimes.co.uk/news"_qs << u"英国 · www.thetimes.co.uk"_qs;
        QTest::newRow("no web address")
            << u"某地"_qs << u"javascript:alert(1)"_qs << u"某地 · javascript:alert(1)"_qs;
        QTest::newRow("markup") << u"<b>省</b>"_qs << u"https://a.example/<i>"_qs
                                << u"<b>省</b> · a.example"_qs;
        QTest::newRow("no province") << u""_qs << u"https://a.example/"_qs << u"a.example"_qs;
        QTest::newRow("no address") << u"北京"_qs << u""_qs << u"北京"_qs;
    }

    void description()
    {
        QFETCH(QString, province);
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCOMPARE(searchprovider::description({u"某报"_qs, province, address, true}), expected);
    }

    // Down from 1.0 along the engine's ranking, never past a better tier.
    void relevanceFollowsTheRanking()
    {
        using find::Tier;
        const QList<Tier> ranked = {Tier::Equal,    Tier::Equal,   Tier::Prefix,   Tier::Initials,
                                    Tier::Initials, Tier::Primary, Tier::Secondary};
        QCOMPARE(relevance(Tier::Equal, 0), 1.0);
        for (qsizetype i = 1; i < ranked.size(); ++i)
            QVERIFY(relevance(ranked[i], i) < relevance(ranked[i - 1], i - 1));
        QVERIFY(relevance(Tier::Prefix, 0) < relevance(Tier::Equal, 1000));
        QVERIFY(relevance(Tier::Secondary, 1000) > 0);
        QCOMPARE(matchCategory(Tier::Equal), 100);
        QCOMPARE(matchCategory(Tier::Initials), 30);
    }

    void queryJoinsTheTerms()
    {
        QCOMPARE(queryOf({u"人民"_qs, u"rb"_qs}), u"人民 rb"_qs);
        QCOMPARE(queryOf({}), QString());
    }
};

QTEST_GUILESS_MAIN(TestResultRules)
#include "tst_resultrules.moc"
