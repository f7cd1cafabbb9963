// Faults of the catalogue file: each ends in a clear message, the program
// goes on working, and the file keeps exactly the rows it should.
#include "driverprocess.h"
#include "forms/mainfrm.h"
#include "maintenancewindow.h"
#include "urlcapture.h"
#include "useractions.h"
#include "windowset.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QRandomGenerator>
#include <cstdio>
#include <optional>

namespace {

using Row = TestCatalogue::Row;
const QString notOurs = u": it is not a newspaper catalogue that this program can open."_qs;
const maintenancechecks::NewPaper lemonde{
    u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs, u"国外"_qs, {}, u"法国"_qs};
const Row lemondeRow{u"法国"_qs, u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs};

// Several pages of rows, so that a file cut in half loses some of them.
void seed(TestCatalogue &catalogue)
{
    catalogue.exec(u"with recursive n(i) as (select 1 union all select i + 1 from n where i < 600) "
                   "insert into pinternal select '省' || (i % 30), '报' || i, "
                   "'http://' || i || '.example/' from n"_qs);
    catalogue.add(foreign, u"日本"_qs, u"朝日新闻"_qs, u"https://www.asahi.com/"_qs);
}

struct Dump
{
    QList<Row> domestic, foreign;
    bool operator==(const Dump &) const = default;
};

Dump dump(const TestCatalogue &catalogue)
{
    return {catalogue.rows(domestic), catalogue.rows(foreign)};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// While windows are open, files are read and written by other processes:
// closing a descriptor of the catalogue in this process would drop the
// windows' locks on it.
QByteArray digest(const QString &path)
{
    QProcess sum;
    sum.start(u"sha256sum"_qs, {path});
    sum.waitForFinished();
    return sum.readAllStandardOutput().left(64);
}

void copy(const QString &from, const QString &to)
{
    QCOMPARE(QProcess::execute(u"cp"_qs, {from, to}), 0);
}

// Another program (the sqlite3 shell) adds a row and ends while this
// process holds the file, so it cannot fold its log into the file.
void leaveLog(const QString &path)
{
    QCOMPARE(QProcess::execute(u"sqlite3"_qs,
                               {path, u"PRAGMA wal_autocheckpoint=0; insert into pinternal "
                                      "values('旧', '旧报', 'http://old.example/');"_qs}),
             0);
    QVERIFY(QFileInfo(path + u"-wal"_qs).size() > 0);
}

QByteArray accessFile(const char *engine)
{
    QByteArray bytes = QByteArrayLiteral("\x00\x01\x00\x00") + engine;
    bytes.resize(4096, '\0');
    return bytes;
}

// The file as a given damage leaves it; null for no file at all.
QByteArray damaged(const QString &damage, const QByteArray &good)
{
    if (damage == u"empty")
        return QByteArray("");
    if (damage == u"truncated")
        return good.left(good.size() / 2);
    if (damage == u"Jet")
        return accessFile("Standard Jet DB");
    if (damage == u"ACE")
        return accessFile("Standard ACE DB");
    if (damage == u"random bytes") {
        QByteArray bytes(8192, '\0');
        QRandomGenerator generator(8);
        generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        return bytes;
    }
    return {};
}

// The window adds a paper once more, and the file holds just that row more.
void addingWorksAgain(const MaintenanceWindow &window, MessageCapture &messages,
                      const TestCatalogue &catalogue, const Dump &before)
{
    messages.clear();
    window.fillNewPaper(lemonde);
    window.press(1);
    QCOMPARE(messages.texts(), QStringList{added});
    QCOMPARE(catalogue.integrity(), u"ok"_qs);
    QCOMPARE(dump(catalogue), (Dump{before.domestic, before.foreign + QList{lemondeRow}}));
}

const char *const writeLock =
    "BEGIN EXCLUSIVE;\ninsert into pinternal values('锁', '未提交', 'http://x.example/');\n";
const char *const readLock = "BEGIN;\nselect count(*) from pinternal;\n";

// Another process (the sqlite3 shell) holding a lock on the catalogue in a
// transaction while it lives: by default the write lock.
class ShellLock
{
public:
    explicit ShellLock(const QString &path, const char *transaction = writeLock)
    {
        m_shell.start(u"sqlite3"_qs, {path});
        m_shell.write(transaction);
        m_shell.write("select 'held';\n");
        while (!m_shell.readAllStandardOutput().contains("held") && m_shell.waitForReadyRead())
            ;
    }
    ~ShellLock() { release(); }
    void release()
    {
        m_shell.write("ROLLBACK;\n.quit\n");
        m_shell.closeWriteChannel();
        m_shell.waitForFinished();
    }

private:
    QProcess m_shell;
};

} // namespace

class TestCatalogueFaults : public WindowSetTest
{
    Q_OBJECT

    static QMenu *domesticMenu() { return MainForm->findChild<QMenu *>(u"N1"_qs); }

private slots:
    void unusableFileIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message"); // %1 is the file
        QTest::newRow("missing") << u"missing"_qs << u"Could not find file '%1'"_qs;
        QTest::newRow("empty") << u"empty"_qs << u"The file '%1' is empty"_qs + notOurs;
        QTest::newRow("random bytes")
            << u"random bytes"_qs << u"The file '%1' is not an SQLite 3 database"_qs + notOurs;
        QTest::newRow("Access (Jet)")
            << u"Jet"_qs << u"The file '%1' is a Microsoft Access (Jet) database"_qs + notOurs;
        QTest::newRow("Access (ACE)")
            << u"ACE"_qs << u"The file '%1' is a Microsoft Access (ACE) database"_qs + notOurs;
        QTest::newRow("cut in half") << u"truncated"_qs
                                     << u"The catalogue file '%1' is damaged "
                                        "(database disk image is malformed)"_qs;
    }

    // The program never writes to a file it cannot read as a catalogue, and
    // works again on the next action once the file is good again.
    void unusableFileIsReportedAndLeftAlone()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        seed(catalogue());
        const Dump before = dump(catalogue());
        const QString goodCopy = catalogue().directory() + u"/good.mdb"_qs;
        const QByteArray good = contents(catalogue().path());
        write(goodCopy, good);
        const QByteArray bad = damaged(damage, good);
        if (bad.isNull())
            catalogue().removeFile();
        else
            write(catalogue().path(), bad);

        const MaintenanceWindow window = openMaintenanceWindow();
        window.fillNewPaper(lemonde);
        window.press(1);
        window.find(u"报1"_qs, u"国内"_qs);
        const QString expected = message.arg(catalogue().path());
        QVERIFY(messages().texts().size() >= 3);
        QCOMPARE(messages().texts(), QStringList(messages().texts().size(), expected));
        QVERIFY(domesticMenu()->actions().isEmpty());
        QCOMPARE(QFile::exists(catalogue().path()), !bad.isNull());
        if (!bad.isNull())
            QCOMPARE(digest(catalogue().path()),
                     QCryptographicHash::hash(bad, QCryptographicHash::Sha256).toHex());

        copy(goodCopy, catalogue().path());
        addingWorksAgain(window, messages(), catalogue(), before);
    }

    // Reading goes on while another process holds the write lock; a write
    // waits a few seconds at most, then says why it failed.
    void lockedFileWaitsBrieflyThenReports()
    {
        seed(catalogue());
        const Dump before = dump(catalogue());
        ShellLock lock(catalogue().path());
        const MaintenanceWindow window = openMaintenanceWindow();
        QCOMPARE(domesticMenu()->actions().size(), 30);

        QElapsedTimer clock;
        clock.start();
        window.fillNewPaper(lemonde);
        window.press(1);
        QVERIFY2(clock.elapsed() >= 2000 && clock.elapsed() < 6000,
                 qPrintable(QString::number(clock.elapsed())));
        window.find(u"报7"_qs, u"国内"_qs);
        QCOMPARE(window.result(),
                 (QStringList{u"报7"_qs, u"http://7.example/"_qs, u"国内"_qs, u"省7"_qs}));
        window.press(4);
        const QString inUse = u"The catalogue file '%1' is in use by another program; try again "
                              "later (database is locked)"_qs.arg(catalogue().path());
        QCOMPARE(messages().texts(), (QStringList{inUse, inUse}));
        QCOMPARE(dump(catalogue()), before);

        lock.release();
        addingWorksAgain(window, messages(), catalogue(), before);
    }

    void replacedOrRemovedBetweenTwoAdds_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("moved over") << u"moved over"_qs;
        QTest::newRow("moved over a log left by another program") << u"moved over, log left"_qs;
        QTest::newRow("overwritten in place") << u"overwritten"_qs;
        QTest::newRow("removed") << u"removed"_qs;
    }

    // Another program puts a new catalogue in place, or deletes it, while the
    // window is open: the next add goes to the file now at the path, or says
    // the file is missing. It is never reported saved in the unlinked file,
    // and the old file's log is never read as the new one's.
    void replacedOrRemovedBetweenTwoAdds()
    {
        QFETCH(QString, change);
        const QList<Row> domesticBefore = catalogue().rows(domestic);
        const QString fresh = catalogue().directory() + u"/fresh.mdb"_qs;
        copy(catalogue().path(), fresh); // the new catalogue, made aside
        const MaintenanceWindow window = openMaintenanceWindow();
        window.fillNewPaper(lemonde);
        window.press(1);

        if (change == u"removed") {
            QVERIFY(QFile::remove(catalogue().path()));
        } else if (change == u"overwritten") {
            copy(fresh, catalogue().path()); // cp keeps the file, and its size
        } else {
            if (change.endsWith(u"log left"))
                leaveLog(catalogue().path());
            QVERIFY(std::rename(qPrintable(fresh), qPrintable(catalogue().path())) == 0);
        }
        const maintenancechecks::NewPaper figaro{
            u"Le Figaro"_qs, u"https://www.lefigaro.fr/"_qs, u"国外"_qs, {}, u"法国"_qs};
        window.fillNewPaper(figaro);
        window.press(1);
        if (change != u"removed") {
            QCOMPARE(messages().texts(), (QStringList{added, added}));
            QCOMPARE(catalogue().integrity(), u"ok"_qs);
            QCOMPARE(catalogue().rows(domestic), domesticBefore);
            QCOMPARE(catalogue().rows(foreign),
                     (QList<Row>{{u"法国"_qs, u"Le Figaro"_qs, u"https://www.lefigaro.fr/"_qs}}));
        } else { // choosing the kind reads the provinces, then the add
            const QString missing = u"Could not find file '%1'"_qs.arg(catalogue().path());
            QCOMPARE(messages().texts(), (QStringList{added, missing, missing}));
            QVERIFY(!QFile::exists(catalogue().path()));
        }
    }

    void rollbackJournalCatalogue_data()
    {
        QTest::addColumn<bool>("readerAtStart");
        QTest::addColumn<QString>("mode"); // the file's journal mode afterwards
        QTest::newRow("switched to WAL") << false << u"wal"_qs;
        QTest::newRow("kept, another reader at start") << true << u"delete"_qs;
    }

    // A catalogue made by another tool: a paper opened from the menu leaves
    // no read lock behind, so an add goes through at once.
    void rollbackJournalCatalogue()
    {
        QFETCH(bool, readerAtStart);
        QFETCH(QString, mode);
        seed(catalogue());
        catalogue().exec(u"PRAGMA journal_mode=DELETE"_qs);
        const Dump before = dump(catalogue());
        UrlCapture urls;
        std::optional<ShellLock> reader;
        if (readerAtStart)
            reader.emplace(catalogue().path(), readLock);
        openWindows(Shown::MainWindow);
        reader.reset();

        triggerAction(domesticMenu()->actions().at(0)->menu()->actions().at(0));
        QCOMPARE(urls.urls.size(), 1);
        const MaintenanceWindow window = openMaintenanceWindow();
        QElapsedTimer clock;
        clock.start();
        addingWorksAgain(window, messages(), catalogue(), before);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(catalogue().column(u"PRAGMA journal_mode"_qs), QStringList{mode});
    }

    void permissionsAreReported_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QStringList>("lines"); // %1 is the file, %2 the domestic provinces
        const QString unreadable = u"\tCould not read file '%1': Permission denied."_qs;
        QTest::newRow("unreadable") << 0000 << 0777 << QStringList{u"start"_qs + unreadable,
                                                                   u"start"_qs + unreadable,
                                                                   u"menus\t"_qs,
                                                                   u"add X"_qs + unreadable,
                                                                   u"add X"_qs + unreadable,
                                                                   u"delete 报1"_qs + unreadable,
                                                                   u"done"_qs};
        const auto readOnly = [](const QString &detail) -> QString {
            return u"\tThe catalogue file '%1' is read-only: papers cannot be added or deleted ("_qs +
                   detail + u')';
        };
        const QString cannotOpen = readOnly(u"unable to open database file"_qs);
        // The main window reads; the maintenance window's connection, the
        // second one, cannot open the engine's read-only working files.
        QTest::newRow("read-only")
            << 0444 << 0777 << QStringList{u"start"_qs + cannotOpen,      u"menus\t%2"_qs,
                                           u"add X"_qs + cannotOpen,      u"add X"_qs + cannotOpen,
                                           u"delete 报1"_qs + cannotOpen, u"done"_qs};
        // Without its working files beside it the engine cannot read the file.
        const QString folder = u"\tThe catalogue file '%1' cannot be used: the folder that "
                               "holds it is read-only (attempt to write a readonly database)"_qs;
        QTest::newRow("read-only in a read-only folder")
            << 0444 << 0755 << QStringList{u"start"_qs + folder,
                                           u"start"_qs + folder,
                                           u"menus\t"_qs,
                                           u"add X"_qs + folder,
                                           u"add X"_qs + folder,
                                           u"delete 报1"_qs + folder,
                                           u"done"_qs};
    }

    // Tests run as root, who is not stopped by permissions: the program runs
    // in a driver process as the unprivileged user instead.
    void permissionsAreReported()
    {
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QStringList, lines);
        seed(catalogue());
        const Dump before = dump(catalogue());
        const QString provinces =
            catalogue().column(u"select distinct pcity from pinternal"_qs).join(u'|');
        const auto mode = [](int bits) { return QFile::Permissions(bits | (bits << 4)); };
        QFile::setPermissions(catalogue().directory(), mode(0755));
        QFile::setPermissions(catalogue().directory() + u"/database"_qs, mode(folderMode));
        QFile::setPermissions(catalogue().path(), mode(fileMode));

        DriverProcess driver(catalogue().directory(),
                             {u"menus"_qs, u"add"_qs, u"X"_qs, u"delete"_qs, u"报1"_qs},
                             DriverProcess::User::Unprivileged);
        QVERIFY(driver.finish());
        for (QString &line : lines)
            line.replace(u"%1"_qs, catalogue().path()).replace(u"%2"_qs, provinces);
        QCOMPARE(driver.lines(), lines);
        QFile::setPermissions(catalogue().path(), mode(0644));
        QCOMPARE(catalogue().integrity(), u"ok"_qs);
        QCOMPARE(dump(catalogue()), before);
    }

    // A column the program reads is gone: each reader of it fails with the
    // engine's words, and the other half of the catalogue goes on working.
    void missingColumn()
    {
        seed(catalogue());
        catalogue().exec(u"alter table pinternal drop column purl"_qs);
        const QStringList namesBefore = catalogue().column(u"select pname from pinternal"_qs);
        UrlCapture urls;
        openWindows(Shown::MainWindow);

        triggerAction(domesticMenu()->actions().at(0)->menu()->actions().at(0));
        const MaintenanceWindow window = openMaintenanceWindow();
        window.fillNewPaper({u"新报"_qs, u"http://new.example/"_qs, u"国内"_qs, {}, u"新省"_qs});
        window.press(1);
        window.find(u"报1"_qs, u"国内"_qs);
        QCOMPARE(messages().texts(),
                 (QStringList{u"no such column: purl."_qs,
                              u"table pinternal has 2 columns but 3 values were supplied."_qs,
                              u"ADOQuery1: Field 'purl' not found."_qs}));
        QVERIFY(urls.urls.isEmpty());

        messages().clear();
        window.fillNewPaper(lemonde);
        window.press(1);
        QCOMPARE(messages().texts(), QStringList{added});
        QCOMPARE(catalogue().column(u"select pname from pinternal"_qs), namesBefore);
        QCOMPARE(catalogue().integrity(), u"ok"_qs);
    }

    void nullInEachColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("deletes");
        const QString noKind = u"near \"where\": syntax error."_qs;
        // The province list meets a NULL province. Finding the paper fills
        // the name, address, kind and province in turn and stops at the NULL
        // one; a delete then goes by the name and kind shown, if any.
        QTest::newRow("pcity") << 0 << QStringList{nullField, added, nullField, deleted} << true;
        QTest::newRow("pname") << 1 << QStringList{added, u"没有此报纸，请重新查找！"_qs, noKind}
                               << false;
        QTest::newRow("purl") << 2 << QStringList{added, nullField, noKind} << false;
    }

    // A row with a NULL field stops the readers that meet it, is never
    // changed by them, and leaves the rest of the catalogue usable.
    void nullInEachColumn()
    {
        QFETCH(int, column);
        QFETCH(QStringList, texts);
        QFETCH(bool, deletes);
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
        TestCatalogue::Field fields[] = {u"河北"_qs, u"空报"_qs, u"http://null.example/"_qs};
        fields[column] = std::nullopt;
        catalogue().add(domestic, fields[0], fields[1], fields[2]);
        const Row nullRow{fields[0], fields[1], fields[2]};
        const MaintenanceWindow window = openMaintenanceWindow();
        messages().clear();

        window.choose(1, u"国内"_qs);
        window.type(1, u"新报"_qs);
        window.type(2, u"http://new.example/"_qs);
        window.type(3, u"新省"_qs);
        window.press(1);
        window.find(u"空报"_qs, u"国内"_qs);
        const Row newRow{u"新省"_qs, u"新报"_qs, u"http://new.example/"_qs};
        window.press(4);
        QCOMPARE(messages().texts(), texts);
        QList<Row> expected{catalogue().rows(domestic).at(0), nullRow, newRow};
        if (deletes)
            expected.removeAt(1);
        QCOMPARE(catalogue().rows(domestic), expected);
    }
};

QTEST_MAIN(TestCatalogueFaults)
#include "tst_cataloguefaults.moc"
