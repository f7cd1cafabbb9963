// Work on the catalogue that ends abruptly, or that two programs do at once:
// the file stays whole and holds every change the user was told of.
#include "driverprocess.h"
#include "maintenancewindow.h"
#include "windowset.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

using Row = TestCatalogue::Row;

// The driver's papers: NAME in province c-NAME at http://NAME.example/.
Row driverRow(const QString &name)
{
    return {u"c-"_qs + name, name, u"http://%1.example/"_qs.arg(name)};
}

void seed(TestCatalogue &catalogue)
{
    catalogue.add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
    catalogue.add(domestic, u"上海"_qs, u"解放日报"_qs, u"https://www.jfdaily.com/"_qs);
}

// What a driver was told: the papers whose add and whose delete succeeded.
struct Told
{
    QStringList adds, deletes;
    QStringList others; // any other message
};

Told toldBy(const QStringList &lines)
{
    static const QRegularExpression step(u"^(add|delete) (\\S+)\t(.*)$"_qs);
    Told told;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = step.match(line);
        if (match.hasMatch() && match.captured(1) == u"add" && match.captured(3) == added)
            told.adds.append(match.captured(2));
        else if (match.hasMatch() && match.captured(1) == u"delete" && match.captured(3) == deleted)
            told.deletes.append(match.captured(2));
        else if (line != u"done")
            told.others.append(line);
    }
    return told;
}

// The driver's rows that the file should hold once its steps are done.
QSet<QString> kept(const Told &told)
{
    QSet<QString> names(told.adds.cbegin(), told.adds.cend());
    for (const QString &name : told.deletes)
        names.remove(name);
    return names;
}

} // namespace

class TestInterruptedWork : public WindowSetTest
{
    Q_OBJECT

private slots:
    void killedInTheMiddleOfABurst_data()
    {
        QTest::addColumn<int>("delayMs");
        for (int round = 1; round <= 3; ++round) {
            const int delayMs = 100 + int(QRandomGenerator::global()->bounded(1200));
            QTest::addRow("killed %d ms in", delayMs) << delayMs;
        }
    }

    // Killed at a random moment: every row whose success the user saw is
    // there, every row whose deletion was confirmed is gone, and at most the
    // one step under way when the program died differs, as a whole row.
    void killedInTheMiddleOfABurst()
    {
        QFETCH(int, delayMs);
        seed(catalogue());
        const QList<Row> seeded = catalogue().rows(domestic);
        DriverProcess driver(catalogue().directory(), {u"burst"_qs, u"k"_qs, u"1000000"_qs});
        QTRY_VERIFY(!driver.lines().isEmpty()); // started and working
        QTest::qWait(delayMs);
        driver.kill();

        const Told told = toldBy(driver.lines());
        QCOMPARE(told.others, QStringList());
        QVERIFY(told.adds.size() > 2);
        QCOMPARE(catalogue().integrity(), u"ok"_qs);
        const QList<Row> rows = catalogue().rows(domestic);
        QCOMPARE(rows.mid(0, seeded.size()), seeded);
        QSet<QString> inFile;
        for (const Row &row : rows.mid(seeded.size())) {
            QVERIFY(row.pname.has_value());
            QCOMPARE(row, driverRow(*row.pname)); // never part of a row
            inFile.insert(*row.pname);
        }
        const QSet<QString> expected = kept(told);
        for (const QString &name : told.deletes)
            QVERIFY2(!inFile.contains(name), qPrintable(name));
        // Only the step under way may have finished unconfirmed: the add
        // after the last one confirmed, or the delete that follows that one.
        const int last = told.adds.last().mid(1).toInt();
        const QSet<QString> unconfirmed = inFile - expected;
        QVERIFY(unconfirmed.isEmpty() || unconfirmed == QSet{u"k%1"_qs.arg(last + 1)});
        const QSet<QString> gone = expected - inFile;
        QVERIFY(gone.isEmpty() || gone == QSet{u"k%1"_qs.arg(last - 1)});
    }

    // Two programs adding and deleting on one file: neither meets a locked
    // file, and the file holds exactly what both were told.
    void twoProgramsAtOnce()
    {
        seed(catalogue());
        const QList<Row> seeded = catalogue().rows(domestic);
        DriverProcess first(catalogue().directory(), {u"burst"_qs, u"a"_qs, u"300"_qs});
        DriverProcess second(catalogue().directory(), {u"burst"_qs, u"b"_qs, u"300"_qs});
        QVERIFY(first.finish());
        QVERIFY(second.finish());

        QSet<QString> expected;
        for (DriverProcess *driver : {&first, &second}) {
            const Told told = toldBy(driver->lines());
            QVERIFY2(told.others.isEmpty(), qPrintable(told.others.join(u'\n')));
            QCOMPARE(told.adds.size(), 300);
            QCOMPARE(told.deletes.size(), 150);
            expected += kept(told);
        }
        QCOMPARE(catalogue().integrity(), u"ok"_qs);
        const QList<Row> rows = catalogue().rows(domestic);
        QCOMPARE(rows.mid(0, seeded.size()), seeded);
        QSet<QString> inFile;
        for (const Row &row : rows.mid(seeded.size())) {
            QCOMPARE(row, driverRow(row.pname.value_or(QString())));
            inFile.insert(*row.pname);
        }
        QCOMPARE(inFile, expected);
        QCOMPARE(rows.size(), seeded.size() + 300);
    }
};

QTEST_GUILESS_MAIN(TestInterruptedWork)
#include "tst_interruptedwork.moc"
