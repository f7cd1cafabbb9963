#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "core/failure.h"
#include "windowset.h"

#include <QTest>

namespace {

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return QStringLiteral("<no failure>");
}

} // namespace

// The query object on a real catalogue file.
class TestCatalogueQuery : public WindowSetTest
{
    Q_OBJECT

private slots:
    void valuesAreBoundAsStrings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("double quotes") << u"The \"Sun\""_qs;
        QTest::newRow("column name") << u"pname"_qs;
        QTest::newRow("sql") << u"\" or \"\"=\""_qs;
        QTest::newRow("control characters") << u"a\u0001b\tc"_qs;
        QTest::newRow("100 KB") << QString(100 * 1024, u'报');
        QTest::newRow("emoji") << u"报纸😀"_qs;
    }

    void valuesAreBoundAsStrings()
    {
        QFETCH(QString, name);
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://a/"_qs);
        CatalogueConnection connection(connectionsettings::longForm);
        CatalogueQuery query(u"ADOQuery1"_qs, connection);

        query.execute(statements::insertPaper(domestic, u"北京"_qs, name, u"http://b/"_qs));
        query.open(statements::addressOfPaper(domestic, name));
        QVERIFY(!query.eof());
        QCOMPARE(query.fieldAsText(u"purl"_qs), u"http://b/"_qs);
        query.next();
        QVERIFY(query.eof()); // the value matched itself alone

        query.execute(statements::deletePaper(domestic, name));
        QCOMPARE(catalogue().rows(domestic).size(), 1);
        QCOMPARE(*catalogue().rows(domestic).at(0).pname, u"人民日报"_qs);
    }

    void comparisonIgnoresAsciiCase()
    {
        catalogue().add(domestic, u"x"_qs, u"China Daily"_qs, u"http://a/"_qs);
        CatalogueConnection connection(connectionsettings::shortForm);
        CatalogueQuery query(u"ADOQuery1"_qs, connection);
        query.open(statements::addressOfPaper(domestic, u"CHINA DAILY"_qs));
        QVERIFY(!query.eof());
    }

    void readingFailures()
    {
        catalogue().add(domestic, u"x"_qs, u"y"_qs, std::nullopt);
        CatalogueConnection connection(connectionsettings::shortForm);
        CatalogueQuery query(u"ADOQuery1"_qs, connection);
        query.open(statements::paperByName(domestic, u"y"_qs));
        QCOMPARE(query.fieldAsText(u"pname"_qs), u"y"_qs);
        QCOMPARE(failureOf([&] { query.fieldAsText(u"purl"_qs); }),
                 u"Could not convert variant of type (Null) into type (String)"_qs);
        QCOMPARE(failureOf([&] { query.fieldAsText(u"x"_qs); }),
                 u"ADOQuery1: Field 'x' not found"_qs);
        QCOMPARE(failureOf([&] { query.open(statements::paperByName(QString(), u"y"_qs)); }),
                 u"near \"where\": syntax error"_qs);
        QCOMPARE(failureOf([&] { query.open(statements::allNames(u"nosuch"_qs)); }),
                 u"no such table: nosuch"_qs);
    }

    // A statement re-opened with other values reads their rows alone, whether
    // the last result was read to its end or not.
    void reopenedStatementReadsItsNewValues()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://a/"_qs);
        catalogue().add(domestic, u"上海"_qs, u"解放日报"_qs, u"http://b/"_qs);
        catalogue().add(domestic, u"北京"_qs, u"北京晚报"_qs, u"http://c/"_qs);
        CatalogueConnection connection(connectionsettings::shortForm);
        CatalogueQuery query(u"ADOQuery1"_qs, connection);
        const auto papersIn = [&](const QString &province) {
            query.reopen(statements::papersInProvince(domestic, province));
            QStringList names;
            for (; !query.eof(); query.next())
                names.append(query.fieldAsText(u"pname"_qs));
            return names;
        };
        query.open(statements::allNames(domestic)); // another statement, left unread
        QCOMPARE(papersIn(u"北京"_qs), (QStringList{u"人民日报"_qs, u"北京晚报"_qs}));
        QCOMPARE(papersIn(u"上海"_qs), QStringList{u"解放日报"_qs});
        QCOMPARE(papersIn(u"广州"_qs), QStringList());
        query.reopen(statements::papersInProvince(domestic, u"北京"_qs)); // one row read
        QCOMPARE(papersIn(u"上海"_qs), QStringList{u"解放日报"_qs});
    }

    void emptyResultIsAtEnd()
    {
        CatalogueConnection connection(connectionsettings::shortForm);
        CatalogueQuery query(u"ADOQuery1"_qs, connection);
        query.open(statements::allNames(domestic));
        QVERIFY(query.eof());
    }

    void missingFileIsNamedAndNeverCreated()
    {
        catalogue().removeFile();
        CatalogueConnection connection(connectionsettings::longForm);
        QCOMPARE(failureOf([&] { connection.open(); }),
                 u"Could not find file '%1'"_qs.arg(catalogue().path()));
        QVERIFY(!QFile::exists(catalogue().path()));
    }

    void anOpenQueryDoesNotBlockAnotherConnectionsInsert()
    {
        for (int i = 0; i < 3; ++i)
            catalogue().add(domestic, u"p"_qs, u"n%1"_qs.arg(i), u"http://a/"_qs);
        CatalogueConnection reader(connectionsettings::shortForm);
        CatalogueQuery open(u"ADOQuery1"_qs, reader);
        open.open(statements::allNames(domestic));
        QVERIFY(!open.eof()); // left open on its first row

        CatalogueConnection writer(connectionsettings::longForm);
        CatalogueQuery insert(u"ADOQuery1"_qs, writer);
        QElapsedTimer timer;
        timer.start();
        insert.execute(statements::insertPaper(domestic, u"p"_qs, u"new"_qs, u"http://b/"_qs));
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(catalogue().rows(domestic).size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueQuery)
#include "tst_cataloguequery.moc"
