#include "../support/shippedschema.h"
#include "catalogue/basefile.h"
#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguelocation.h"
#include "catalogue/cataloguemerge.h"
#include "catalogue/preparedstatement.h"
#include "catalogue/shippedupdate.h"
#include "catalogue/statement.h"
#include "core/failure.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using mergerules::Paper;
using mergerules::Summary;
using Papers = QList<Paper>;
using OptionalPapers = std::optional<Papers>;

Q_DECLARE_METATYPE(OptionalPapers)

namespace {

// "北京/人民日报=http://a" is a domestic paper; a leading "!" makes it foreign.
Papers papers(const QStringList &lines)
{
    Papers list;
    for (QString line : lines) {
        const bool domestic = !line.startsWith(u'!');
        if (!domestic)
            line.remove(0, 1);
        const qsizetype slash = line.indexOf(u'/');
        const qsizetype equals = line.indexOf(u'=');
        list.append({domestic, line.left(slash), line.mid(slash + 1, equals - slash - 1),
                     line.mid(equals + 1)});
    }
    return list;
}

QStringList lines(const Papers &list)
{
    QStringList out;
    for (const Paper &p : list)
        out << (p.domestic ? QString() : u"!"_qs) + p.province + u'/' + p.name + u'=' + p.address;
    return out;
}

QString counts(const Summary &s)
{
    return u"+%1 ~%2 kept %3 skipped %4 dropped %5"_qs.arg(s.added)
        .arg(s.updated)
        .arg(s.kept)
        .arg(s.skipped)
        .arg(s.dropped);
}

struct Engine
{
    sqlite3 *db = nullptr;
    explicit Engine(const QString &path, int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    }
    ~Engine() { sqlite3_close(db); }
    void exec(const QByteArray &sql) const
    {
        char *error = nullptr;
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("%s", error);
    }
    QStringList column(const QString &sql) const
    {
        PreparedStatement query(db, sql);
        QStringList values;
        while (query.step())
            values << query.text(0);
        return values;
    }
};

// A catalogue file with the shipped schema holding `rows`, in that order.
void makeCatalogue(const QString &path, const Papers &rows)
{
    const Engine engine(path);
    engine.exec(shippedSchema());
    for (const Paper &p : rows) {
        const Statement insert =
            statements::insertPaper(p.domestic ? catalogue::domesticTable : catalogue::foreignTable,
                                    p.province, p.name, p.address);
        PreparedStatement(engine.db, insert.sql).run(insert.values);
    }
}

// A starter script holding `rows`.
QByteArray script(const Papers &rows)
{
    QByteArray sql = shippedSchema() + ";\n";
    for (const Paper &p : rows)
        sql += QStringLiteral("insert into %1 values('%2','%3','%4');\n")
                   .arg(p.domestic ? catalogue::domesticTable : catalogue::foreignTable, p.province,
                        p.name, p.address)
                   .toUtf8();
    return sql;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

// A newer starter merged into a user's catalogue, and the catalogue's order.
class TestCatalogueUpdate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Merges on a catalogue of its own; returns the summary.
    Summary mergeInto(const QString &path, const OptionalPapers &base, const Papers &starter,
                      const cataloguemerge::StageReached &reached = {})
    {
        Engine engine(path, SQLITE_OPEN_READWRITE);
        return mergerules::summarise(
            cataloguemerge::merge(engine.db, base, starter, false, reached));
    }

private slots:
    void cleanup() { cataloguelocation::setCatalogueFile({}); }

    void mergeRules_data()
    {
        QTest::addColumn<OptionalPapers>("base");
        QTest::addColumn<Papers>("starter");
        QTest::addColumn<Papers>("user");
        QTest::addColumn<Papers>("merged");
        QTest::addColumn<QString>("summary");
        const Papers a = papers({u"北京/人民日报=http://a"_qs});
        const Papers ab = papers({u"北京/人民日报=http://a"_qs, u"北京/新京报=http://b"_qs});
        QTest::newRow("new paper added after the user's own")
            << OptionalPapers(a) << ab + papers({u"!美国/Time=http://t"_qs})
            << a + papers({u"上海/我的报=http://mine"_qs})
            << a + papers({u"上海/我的报=http://mine"_qs, u"北京/新京报=http://b"_qs,
                           u"!美国/Time=http://t"_qs})
            << u"+2 ~0 kept 0 skipped 0 dropped 0"_qs;
        QTest::newRow("address and province changes reach an untouched row")
            << OptionalPapers(ab)
            << papers({u"北京/人民日报=https://a"_qs, u"天津/新京报=http://b"_qs}) << ab
            << papers({u"北京/人民日报=https://a"_qs, u"天津/新京报=http://b"_qs})
            << u"+0 ~2 kept 0 skipped 0 dropped 0"_qs;
        QTest::newRow("a row the user changed is kept")
            << OptionalPapers(a) << papers({u"北京/人民日报=https://a"_qs})
            << papers({u"北京/人民日报=http://mine"_qs})
            << papers({u"北京/人民日报=http://mine"_qs}) << u"+0 ~0 kept 1 skipped 0 dropped 0"_qs;
        QTest::newRow("a paper the user deleted is not added again")
            << OptionalPapers(ab)
            << papers({u"北京/人民日报=http://a"_qs, u"北京/新京报=https://b"_qs}) << a << a
            << u"+0 ~0 kept 0 skipped 1 dropped 0"_qs;
        QTest::newRow("a paper gone from the starter is kept and reported")
            << OptionalPapers(ab) << a << ab << ab << u"+0 ~0 kept 0 skipped 0 dropped 1"_qs;
        QTest::newRow("no base: only missing papers are added")
            << OptionalPapers()
            << papers({u"北京/人民日报=https://a"_qs, u"北京/新京报=http://b"_qs}) << a << ab
            << u"+1 ~0 kept 0 skipped 0 dropped 0"_qs;
        QTest::newRow("known by half and name, ASCII case aside")
            << OptionalPapers(papers({u"!法国/Le Monde=http://m"_qs}))
            << papers({u"!法国/Le Monde=https://m"_qs, u"法国/Le Monde=http://d"_qs})
            << papers({u"!法国/le monde=http://m"_qs})
            << papers({u"法国/Le Monde=http://d"_qs, u"!法国/le monde=https://m"_qs})
            << u"+1 ~1 kept 0 skipped 0 dropped 0"_qs;
        QTest::newRow("hostile text is data")
            << OptionalPapers(Papers{})
            << papers({u"北京/x'); drop table pinternal; --=http://h"_qs}) << Papers{}
            << papers({u"北京/x'); drop table pinternal; --=http://h"_qs})
            << u"+1 ~0 kept 0 skipped 0 dropped 0"_qs;
    }

    // Each rule over a small base, starter and catalogue; the same merge run
    // again (its base never written) and after a merge cut short before its
    // commit both end with the same rows, and change nothing more.
    void mergeRules()
    {
        QFETCH(OptionalPapers, base);
        QFETCH(Papers, starter);
        QFETCH(Papers, user);
        QFETCH(Papers, merged);
        QFETCH(QString, summary);
        const QString path =
            file(QString::fromLatin1(QTest::currentDataTag()).left(20) + u".mdb"_qs);
        makeCatalogue(path, user);

        try {
            mergeInto(path, base, starter, [](cataloguemerge::Stage stage) {
                if (stage == cataloguemerge::Stage::RowsWritten)
                    throw Failure(u"cut short"_qs);
            });
            QFAIL("the merge was not cut short");
        } catch (const Failure &) {
        }
        QCOMPARE(lines(cataloguemerge::readPapers(path)), lines(user));

        QCOMPARE(counts(mergeInto(path, base, starter)), summary);
        QCOMPARE(lines(cataloguemerge::readPapers(path)), lines(merged));
        const Summary again = mergeInto(path, base, starter);
        QCOMPARE(again.added + again.updated, 0);
        QCOMPARE(lines(cataloguemerge::readPapers(path)), lines(merged));
        const Summary afterBase = mergeInto(path, starter, starter);
        QCOMPARE(afterBase.added + afterBase.updated + afterBase.kept + afterBase.skipped, 0);
    }

    // The installed starter reaches the chosen catalogue once: the base
    // written beside it records it, an equal starter costs no merge, a
    // locked catalogue is left with its base for a later start.
    void shippedStarter()
    {
        const QString catalogue = file(u"user/padr.mdb"_qs);
        const QString starter = file(u"starter.sql"_qs);
        const Papers first = papers({u"北京/人民日报=http://a"_qs, u"北京/新京报=http://b"_qs});
        writeFile(starter, script(first));
        QVERIFY(cataloguelocation::makeFromStarter(catalogue, starter));
        cataloguelocation::setCatalogueFile(catalogue);
        const QString base = basefile::pathFor(catalogue);
        QCOMPARE(base, file(u"user/padr.base"_qs));
        QCOMPARE(lines(*basefile::read(base)), lines(first));
        QVERIFY(!shippedupdate::run(starter));

        const Papers second = papers({u"北京/人民日报=https://a"_qs, u"北京/新京报=http://b"_qs,
                                      u"天津/今晚报=http://c"_qs});
        writeFile(starter, script(second));
        {
            const Engine holder(catalogue);
            holder.exec("begin immediate");
            QVERIFY_THROWS_EXCEPTION(Failure, shippedupdate::run(starter));
        }
        QCOMPARE(lines(cataloguemerge::readPapers(catalogue)), lines(first));
        QCOMPARE(lines(*basefile::read(base)), lines(first));

        const std::optional<Summary> summary = shippedupdate::run(starter);
        QVERIFY(summary);
        QCOMPARE(counts(*summary), u"+1 ~1 kept 0 skipped 0 dropped 0"_qs);
        QCOMPARE(mergerules::updatedMessage(*summary), u"报纸目录已更新：新增 1 家，更新 1 家"_qs);
        QCOMPARE(lines(cataloguemerge::readPapers(catalogue)), lines(second));
        QCOMPARE(basefile::recordedDigest(base), basefile::digestOf(script(second)));
        QCOMPARE(lines(*basefile::read(base)), lines(second));
        QVERIFY(!shippedupdate::run(starter));
        QCOMPARE(QDir(file(u"user"_qs)).entryList({u"*.tmp"_qs}), QStringList());
    }

    // The base file keeps any text as it was; a damaged one is no base.
    void baseFileRoundTrip()
    {
        const Papers hostile{{true, u"北\t京"_qs, u"a\\t\nb\r"_qs, u"http://x/\\"_qs},
                             {false, u"美国"_qs, u"D\tF"_qs, QString()}};
        const QByteArray bytes = basefile::encode("abc", hostile);
        QCOMPARE(bytes.count('\n'), 3);
        QCOMPARE(lines(*basefile::decode(bytes)), lines(hostile));
        const QList<QByteArray> damagedFiles{bytes.chopped(1), bytes + "D\tx\n",
                                             bytes + "X\ta\tb\tc\n", bytes + "D\ta\\q\tb\tc\n",
                                             bytes.mid(1)};
        for (const QByteArray &damaged : damagedFiles)
            QVERIFY2(!basefile::decode(damaged), damaged.constData());
    }

    // A starter script cannot reach beyond the database it is read into.
    void starterScriptIsConfined()
    {
        const QString outside = file(u"outside.db"_qs);
        const QByteArray attach = "attach '" + outside.toUtf8() + "' as o; create table o.t(x);";
        QVERIFY_THROWS_EXCEPTION(Failure, cataloguemerge::papersOfScript(attach, u"evil.sql"_qs));
        QVERIFY(!QFileInfo::exists(outside));
    }

    // The shipped catalogue lists its domestic divisions by division code.
    void shippedOrder()
    {
        const QString path = file(u"shipped.mdb"_qs);
        QVERIFY(cataloguelocation::makeFromStarter(
            path, qEnvironmentVariable("KELVANE_SOURCE_DIR") + u"/database/padr.sql"_qs));
        const QStringList provinces =
            Engine(path).column(statements::distinctProvinces(catalogue::domesticTable).sql);
        QCOMPARE(provinces.mid(0, 5),
                 (QStringList{u"北京"_qs, u"天津"_qs, u"河北"_qs, u"山西"_qs, u"内蒙古"_qs}));
        QCOMPARE(provinces.last(), u"澳门"_qs);
    }

    // A catalogue of an earlier version gets the partial province indexes
    // once, on a writable open; a read-only open and the user's own indexes
    // leave it as it is.
    void oldIndexesMigrated()
    {
        const QString path = file(u"old.mdb"_qs);
        makeCatalogue(path, papers({u"上海/a=http://a"_qs, u"北京/b=http://b"_qs,
                                    u"!美国/c=http://c"_qs, u"!加拿大/d=http://d"_qs}));
        const Engine old(path);
        old.exec("drop index pinternal_pcity; create index pinternal_pcity on pinternal(pcity);"
                 "drop index poverseas_pcity; create index poverseas_pcity on poverseas(pcity);"
                 "create index mine on pinternal(pcity);");
        const QString indexes = u"select name || ':' || ifnull(sql,'') from sqlite_master where "
                                "type='index' order by name"_qs;
        const QStringList before = old.column(indexes);
        const QString provinces = statements::distinctProvinces(catalogue::domesticTable).sql;
        cataloguelocation::setCatalogueFile(path);

        CatalogueConnection(u""_qs, CatalogueConnection::Access::ReadOnly).open();
        QCOMPARE(old.column(indexes), before);

        const auto openWritable = [] {
            CatalogueConnection connection(u""_qs);
            connection.open();
        };
        openWritable();
        const QStringList after = old.column(indexes);
        QCOMPARE(after.filter(u"where pcity is not null"_qs).size(), 2);
        QVERIFY(after.contains(u"mine:CREATE INDEX mine on pinternal(pcity)"_qs));
        QCOMPARE(Engine(path).column(provinces), (QStringList{u"上海"_qs, u"北京"_qs}));
        const QStringList version = old.column(u"pragma schema_version"_qs);
        openWritable();
        QCOMPARE(old.column(u"pragma schema_version"_qs), version);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueUpdate)
#include "tst_catalogueupdate.moc"
