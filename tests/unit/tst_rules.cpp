#include "catalogue/cataloguefile.h"
#include "catalogue/connectionsettings.h"
#include "catalogue/statement.h"
#include "core/messagerules.h"
#include "core/webaddress.h"

#include <QTest>
#include <sqlite3.h>

// The program's pure rules: statement texts, the kind rule, connection
// settings, message texts and the web-address check.
class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void statementTextsForOrdinaryValues_data()
    {
        QTest::addColumn<Statement>("statement");
        QTest::addColumn<QString>("text");
        const QString d = catalogue::domesticTable;
        const QString f = catalogue::foreignTable;
        QTest::newRow("distinct") << statements::distinctProvinces(d)
                                  << u"select distinct pcity from pinternal"_qs;
        QTest::newRow("papers") << statements::papersInProvince(f, u"美国"_qs)
                                << u"select pname from poverseas where pcity=\"美国\""_qs;
        QTest::newRow("address") << statements::addressOfPaper(d, u"人民日报"_qs)
                                 << u"select purl from pinternal where pname=\"人民日报\""_qs;
        QTest::newRow("name") << statements::nameOfPaper(f, u"Le Monde"_qs)
                              << u"select pname from poverseas where pname=\"Le Monde\""_qs;
        QTest::newRow("province") << statements::provinceOfProvince(d, u"北京"_qs)
                                  << u"select pcity from pinternal where pcity=\"北京\""_qs;
        QTest::newRow("insert")
            << statements::insertPaper(d, u"北京"_qs, u"北京日报"_qs, u"http://bjd.com.cn"_qs)
            << u"insert into pinternal values(\"北京\",\"北京日报\",\"http://bjd.com.cn\")"_qs;
        QTest::newRow("find") << statements::paperByName(f, u"朝日新闻"_qs)
                              << u"select * from poverseas where pname=\"朝日新闻\""_qs;
        QTest::newRow("delete") << statements::deletePaper(d, u"北京日报"_qs)
                                << u"delete from pinternal where pname=\"北京日报\""_qs;
        QTest::newRow("names") << statements::allNames(f) << u"select pname from poverseas"_qs;
        QTest::newRow("no table") << statements::paperByName(QString(), u"x"_qs)
                                  << u"select * from  where pname=\"x\""_qs;
    }

    void statementTextsForOrdinaryValues()
    {
        QFETCH(Statement, statement);
        QFETCH(QString, text);
        QCOMPARE(statement.text(), text);
    }

    void valuesAreNeverPartOfTheSql()
    {
        const QString hostile = u"\" or \"\"=\"; drop table pinternal; --"_qs;
        const Statement statement = statements::deletePaper(catalogue::domesticTable, hostile);
        QCOMPARE(statement.sql, u"delete from pinternal where pname=?"_qs);
        QCOMPARE(statement.values, QStringList{hostile});
    }

    void kindRule()
    {
        QCOMPARE(catalogue::tableForKind(u"国内"_qs), u"pinternal"_qs);
        QCOMPARE(catalogue::tableForKind(u"国外"_qs), u"poverseas"_qs);
        QCOMPARE(catalogue::tableForKind(u" 国内"_qs), QString());
        QCOMPARE(catalogue::tableForKind(QString()), QString());
        QCOMPARE(catalogue::tableForKind(u"abroad"_qs), QString());
    }

    void connectionSettings()
    {
        using namespace connectionsettings;
        QCOMPARE(dataSource(shortForm), u"database/padr.mdb"_qs);
        QCOMPARE(dataSource(longForm), u"database/padr.mdb"_qs);
        QCOMPARE(value(longForm, u"Mode"_qs), u"Share Deny None"_qs);
        QCOMPARE(value(longForm, u"Jet OLEDB:Engine Type"_qs), u"5"_qs);
        QCOMPARE(value(longForm, u"Extended Properties"_qs), u"\"\""_qs);
        QVERIFY(!exclusive(longForm));
        QVERIFY(exclusive(u"Data Source=x;Mode=Share Exclusive"_qs));
    }

    void fullStopRule_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << u"no such table: x"_qs << u"no such table: x."_qs;
        QTest::newRow("chinese") << u"数据库错误"_qs << u"数据库错误."_qs;
        QTest::newRow("digit") << u"code 5"_qs << u"code 5."_qs;
        QTest::newRow("slash") << u"a/"_qs << u"a/."_qs;
        QTest::newRow("full stop") << u"done."_qs << u"done."_qs;
        QTest::newRow("paren") << u"type (String)"_qs << u"type (String)"_qs;
        QTest::newRow("blank") << u"x "_qs << u"x "_qs;
        QTest::newRow("quote") << u"file 'a'"_qs << u"file 'a'"_qs;
        QTest::newRow("empty") << QString() << QString();
    }

    void fullStopRule()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(messagerules::withFullStop(message), shown);
    }

    void providerMessagesLoseTrailingDotsAndBlanks()
    {
        QCOMPARE(messagerules::trimProviderMessage(u"database is locked. . \n"_qs),
                 u"database is locked"_qs);
        QCOMPARE(messagerules::trimProviderMessage(u"..."_qs), QString());
        QCOMPARE(messagerules::componentMessage(u"ADOQuery1"_qs, u"Field 'x' not found"_qs),
                 u"ADOQuery1: Field 'x' not found"_qs);
    }

    void trimming()
    {
        QCOMPARE(messagerules::trimmed(u" \t\x01人民日报\r\n "_qs), u"人民日报"_qs);
        QCOMPARE(messagerules::trimmed(u"a\tb"_qs), u"a\tb"_qs);
        QCOMPARE(messagerules::trimmed(u" \x1f "_qs), QString());
        QCOMPARE(messagerules::trimmed(u"\u3000全角\u3000"_qs), u"\u3000全角\u3000"_qs);
    }

    void lastChanceText()
    {
        QCOMPARE(messagerules::lastChanceText(u"EOleException"_qs, u"kelvane"_qs, nullptr,
                                              u"Error creating object"_qs),
                 u"Exception EOleException in module kelvane at 0000000000000000.\n"
                 "Error creating object.\n"_qs);
    }

    void webAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");
        QTest::newRow("http") << u"http://www.people.com.cn/"_qs << u"http://www.people.com.cn/"_qs;
        QTest::newRow("https") << u"HTTPS://nytimes.com/x?y=1"_qs
                               << u"https://nytimes.com/x?y=1"_qs;
        QTest::newRow("bare host") << u"www.people.com.cn"_qs << u"http://www.people.com.cn"_qs;
        QTest::newRow("bare host and port")
            << u"news.example.org:8080/a"_qs << u"http://news.example.org:8080/a"_qs;
        // What a browser's address bar opens, percent-encoded where needed.
        QTest::newRow("bar") << u"http://a.example/x|y"_qs << u"http://a.example/x%7Cy"_qs;
        QTest::newRow("braces") << u"http://a.example/{id}?q={x}"_qs
                                << u"http://a.example/%7Bid%7D?q=%7Bx%7D"_qs;
        QTest::newRow("caret") << u"http://a.example/a^b"_qs << u"http://a.example/a%5Eb"_qs;
        QTest::newRow("stray percent")
            << u"http://a.example/100%?x=%zz"_qs << u"http://a.example/100%25?x=%25zz"_qs;
        QTest::newRow("escape kept")
            << u"http://a.example/%E4%BA%BA"_qs << u"http://a.example/%E4%BA%BA"_qs;
        QTest::newRow("space") << u"http://a.example/two words"_qs
                               << u"http://a.example/two%20words"_qs;
        QTest::newRow("bare non-ASCII host")
            << u"人民网.中国"_qs << u"http://xn--gmq282eogn.xn--fiqs8s"_qs;
        QTest::newRow("ideographic full stop")
            << u"人民网。中国/a"_qs << u"http://xn--gmq282eogn.xn--fiqs8s/a"_qs;
        QTest::newRow("IDN") << u"https://www.bücher.de/"_qs << u"https://www.xn--bcher-kva.de/"_qs;
        // Never a program, a path, another scheme, control characters or no host.
        QTest::newRow("newline") << u"http://a.example/\nx"_qs << QString();
        QTest::newRow("tab in host") << u"www.a\t.example"_qs << QString();
        QTest::newRow("DEL") << u"http://a.example/\x7f"_qs << QString();
        // Format characters would make the address read as another one.
        QTest::newRow("right-to-left override")
            << u"http://a.example/\u202Egpj.exe"_qs << QString();
        QTest::newRow("zero-width space in host")
            << u"http://pay\u200Bpal.example/"_qs << QString();
        QTest::newRow("zero-width joiner kept, encoded")
            << u"http://a.example/\U0001F469\u200D\U0001F467"_qs
            << u"http://a.example/%F0%9F%91%A9%E2%80%8D%F0%9F%91%A7"_qs;
        QTest::newRow("space in host") << u"http://a b.example/"_qs << QString();
        QTest::newRow("no slashes") << u"http:a.example"_qs << QString();
        QTest::newRow("scheme only host") << u"https:///x"_qs << QString();
        QTest::newRow("ftp") << u"ftp://a.example/"_qs << QString();
        QTest::newRow("javascript with dots") << u"javascript:a.b.c"_qs << QString();
        QTest::newRow("program and argument") << u"sh -c x.y"_qs << QString();
        QTest::newRow("dot path") << u"./a.example"_qs << QString();
        QTest::newRow("UNC") << u"\\\\a.example\\x"_qs << QString();
        QTest::newRow("file") << u"file:///etc/passwd"_qs << QString();
        QTest::newRow("javascript") << u"javascript:alert(1)"_qs << QString();
        QTest::newRow("path") << u"/usr/bin/xterm"_qs << QString();
        QTest::newRow("relative path") << u"bin/sh"_qs << QString();
        QTest::newRow("command") << u"xterm -e sh"_qs << QString();
        QTest::newRow("mailto") << u"mailto:a@b.c"_qs << QString();
        QTest::newRow("no host") << u"http://"_qs << QString();
        QTest::newRow("option") << u"--help"_qs << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void webAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, url);
        // As the desktop is given it.
        QCOMPARE(browser::webAddress(address).toString(QUrl::FullyEncoded), url);
    }

    void catalogueFileFormats_data()
    {
        using cataloguefile::Format;
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<Format>("format");
        QTest::newRow("empty") << QByteArray() << Format::Empty;
        QTest::newRow("SQLite") << QByteArray("SQLite format 3\0\x10\0", 19) << Format::SQLite;
        QTest::newRow("SQLite without its NUL") << QByteArray("SQLite format 3") << Format::Other;
        QTest::newRow("Jet") << QByteArray("\0\x01\0\0Standard Jet DB\0", 20) << Format::Jet;
        QTest::newRow("ACE") << QByteArray("\0\x01\0\0Standard ACE DB\0", 20) << Format::Ace;
        QTest::newRow("Jet cut short") << QByteArray("\0\x01\0\0Standard", 12) << Format::Other;
        QTest::newRow("one NUL") << QByteArray(1, '\0') << Format::Other;
        QTest::newRow("text") << QByteArray("pcity,pname,purl\n") << Format::Other;
    }

    void catalogueFileFormats()
    {
        QFETCH(QByteArray, head);
        QFETCH(cataloguefile::Format, format);
        QCOMPARE(cataloguefile::formatOf(head), format);
    }

    void engineFailuresOfTheFileNameIt_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString inUse = u"The catalogue file '/c/padr.mdb' is in use by another program; "
                              "try again later (engine text)"_qs;
        QTest::newRow("busy") << SQLITE_BUSY << inUse;
        QTest::newRow("busy snapshot") << SQLITE_BUSY_SNAPSHOT << inUse;
        QTest::newRow("locked table") << SQLITE_LOCKED << inUse;
        QTest::newRow("read-only")
            << SQLITE_READONLY
            << u"The catalogue file '/c/padr.mdb' is read-only: papers cannot be added or "
               "deleted (engine text)"_qs;
        QTest::newRow("read-only folder")
            << SQLITE_READONLY_DIRECTORY
            << u"The catalogue file '/c/padr.mdb' cannot be used: the folder that holds it is "
               "read-only (engine text)"_qs;
        QTest::newRow("damaged") << SQLITE_CORRUPT
                                 << u"The catalogue file '/c/padr.mdb' is damaged (engine text)"_qs;
        // Failures of a statement keep the engine's words alone.
        QTest::newRow("statement") << SQLITE_ERROR << u"engine text"_qs;
        QTest::newRow("constraint") << SQLITE_CONSTRAINT << u"engine text"_qs;
    }

    void engineFailuresOfTheFileNameIt()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(cataloguefile::engineMessage(u"/c/padr.mdb"_qs, code, u"engine text"_qs), message);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
