#include "app/commandline.h"
#include "catalogue/cataloguelocation.h"
#include "core/failure.h"
#include "platform/autostart.h"
#include "platform/displaychoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using cataloguelocation::Source;
using commandline::Action;

// What the program decides before its first window: which catalogue, what
// the command line asks for, which display platform.
class TestStartupRules : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    static int domesticPapers(const QString &path)
    {
        sqlite3 *db = nullptr;
        sqlite3_stmt *statement = nullptr;
        int count = -1;
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
                SQLITE_OK &&
            sqlite3_prepare_v2(db, "select count(*) from pinternal", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return count;
    }

private slots:
    void catalogueLocationOrder_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("workingFile");
        QTest::addColumn<bool>("userFile");
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("path"); // under the temporary folder
        QTest::newRow("option over both")
            << u"mine.mdb"_qs << true << true << Source::Option << u"work/mine.mdb"_qs;
        QTest::newRow("absolute option")
            << u"@/elsewhere/x.mdb"_qs << true << false << Source::Option << u"elsewhere/x.mdb"_qs;
        QTest::newRow("working directory over user")
            << QString() << true << true << Source::WorkingDirectory
            << u"work/database/padr.mdb"_qs;
        QTest::newRow("user file")
            << QString() << false << true << Source::UserData << u"user/padr.mdb"_qs;
        QTest::newRow("neither: user path")
            << QString() << false << false << Source::UserData << u"user/padr.mdb"_qs;
    }

    void catalogueLocationOrder()
    {
        QFETCH(QString, option);
        QFETCH(bool, workingFile);
        QFETCH(bool, userFile);
        QFETCH(Source, source);
        QFETCH(QString, path);
        QTemporaryDir root;
        const QDir dir(root.path());
        QDir().mkpath(dir.filePath(u"work"_qs));
        if (workingFile)
            touch(dir.filePath(u"work/database/padr.mdb"_qs));
        if (userFile)
            touch(dir.filePath(u"user/padr.mdb"_qs));
        option.replace(u'@', root.path());
        const auto chosen =
            cataloguelocation::choose(option, dir.filePath(u"work"_qs), dir.filePath(u"user"_qs));
        QCOMPARE(chosen.source, source);
        QCOMPARE(chosen.path, dir.filePath(path));
    }

    // The user's own catalogue is made once from the starter, in one step;
    // a missing or useless starter makes nothing.
    void userCatalogueFromStarter()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        const QString target = dir.filePath(u"data/kelvane/padr.mdb"_qs);

        QVERIFY(!cataloguelocation::makeFromStarter(target, dir.filePath(u"none.sql"_qs)));
        QVERIFY(!QFileInfo::exists(target));

        const QString useless = dir.filePath(u"useless.sql"_qs);
        QFile file(useless);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("create table other (x);");
        file.close();
        try {
            cataloguelocation::makeFromStarter(target, useless);
            QFAIL("a starter without the newspaper tables made a catalogue");
        } catch (const Failure &failure) {
            QCOMPARE(failure.message(),
                     u"Could not make the catalogue '%1' from the starter "
                     "catalogue '%2': it holds no newspaper tables"_qs.arg(target, useless));
        }
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QDir(dir.filePath(u"data/kelvane"_qs)).entryList(QDir::Files), QStringList());

        const QString starter =
            qEnvironmentVariable("KELVANE_SOURCE_DIR") + u"/database/padr.sql"_qs;
        QVERIFY(cataloguelocation::makeFromStarter(target, starter));
        QCOMPARE(QDir(dir.filePath(u"data/kelvane"_qs)).entryList(QDir::Files),
                 QStringList{u"padr.mdb"_qs});
        QVERIFY(domesticPapers(target) > 30);
    }

    // --autostart on writes the entry under XDG_CONFIG_HOME, off removes it.
    void autostartEntry()
    {
        QTemporaryDir config;
        const QString entry = config.filePath(u"autostart/kelvane.desktop"_qs);
        autostart::set(true, u"/opt/my apps/kelvane"_qs, config.path());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\nType=Application\n"));
        QVERIFY(text.contains("\nExec=\"/opt/my apps/kelvane\"\n"));
        file.close();
        autostart::set(false, QString(), config.path());
        QVERIFY(!QFileInfo::exists(entry));
        autostart::set(false, QString(), config.path()); // already gone: no failure
    }

    void commandLineOutcomes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<bool>("autostartOn");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("none") << QStringList{} << Action::Run << QString() << false << QString();
        QTest::newRow("catalogue") << QStringList{u"--catalogue"_qs, u"x.mdb"_qs} << Action::Run
                                   << u"x.mdb"_qs << false << QString();
        QTest::newRow("catalogue=") << QStringList{u"--catalogue=/a b.mdb"_qs} << Action::Run
                                    << u"/a b.mdb"_qs << false << QString();
        QTest::newRow("help") << QStringList{u"--help"_qs} << Action::Print << QString() << false
                              << u"Usage: kelvane [options]"_qs;
        QTest::newRow("-h") << QStringList{u"-h"_qs} << Action::Print << QString() << false
                            << u"Usage: kelvane [options]"_qs;
        QTest::newRow("version") << QStringList{u"--version"_qs} << Action::Print << QString()
                                 << false << u"Kelvane 1.0\n"_qs;
        QTest::newRow("autostart on") << QStringList{u"--autostart"_qs, u"on"_qs}
                                      << Action::Autostart << QString() << true << QString();
        QTest::newRow("autostart off") << QStringList{u"--autostart=off"_qs} << Action::Autostart
                                       << QString() << false << QString();
        QTest::newRow("autostart other")
            << QStringList{u"--autostart=yes"_qs} << Action::Refuse << QString() << false
            << u"--autostart takes on or off, not 'yes'."_qs;
        QTest::newRow("unknown") << QStringList{u"--bogus"_qs} << Action::Refuse << QString()
                                 << false << u"Unknown option 'bogus'.\nUsage: kelvane"_qs;
        QTest::newRow("no value") << QStringList{u"--catalogue"_qs} << Action::Refuse << QString()
                                  << false << u"Missing value after '--catalogue'."_qs;
        QTest::newRow("empty value") << QStringList{u"--catalogue="_qs} << Action::Refuse
                                     << QString() << false << u"--catalogue needs a file name."_qs;
        QTest::newRow("positional") << QStringList{u"padr.mdb"_qs} << Action::Refuse << QString()
                                    << false << u"Unexpected argument 'padr.mdb'."_qs;
    }

    void commandLineOutcomes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, catalogue);
        QFETCH(bool, autostartOn);
        QFETCH(QString, textStart);
        arguments.prepend(u"/usr/bin/kelvane"_qs);
        const commandline::Outcome outcome = commandline::parse(arguments);
        QCOMPARE(outcome.action, action);
        QCOMPARE(outcome.catalogue, catalogue);
        QCOMPARE(outcome.autostartOn, autostartOn);
        QVERIFY2(outcome.text.startsWith(textStart), qPrintable(outcome.text));
    }

    void displayChoice_data()
    {
        QTest::addColumn<QByteArray>("qtPlatform");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QString>("error");
        const QString noDisplay = u"Kelvane needs a graphical desktop (X11): DISPLAY is not set"_qs;
        QTest::newRow("X11") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray()
                             << QString();
        QTest::newRow("Wayland with XWayland")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb")
            << QString();
        QTest::newRow("Wayland alone")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray() << noDisplay;
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                                 << noDisplay;
        QTest::newRow("user's platform kept") << QByteArray("wayland") << QByteArray("wayland-0")
                                              << QByteArray(":0") << QByteArray() << QString();
        QTest::newRow("offscreen without display")
            << QByteArray("offscreen") << QByteArray() << QByteArray() << QByteArray() << QString();
    }

    void displayChoice()
    {
        QFETCH(QByteArray, qtPlatform);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QFETCH(QString, error);
        const displaychoice::Choice choice = displaychoice::choose({qtPlatform, wayland, display});
        QCOMPARE(choice.platform, platform);
        QCOMPARE(choice.error, error);
    }
};

QTEST_GUILESS_MAIN(TestStartupRules)
#include "tst_startuprules.moc"
