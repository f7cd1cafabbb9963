#include "app/commandline.h"
#include "catalogue/cataloguelocation.h"
#include "core/failure.h"
#include "platform/autostart.h"
#include "platform/displaychoice.h"
#include "platform/hotkey.h"
#include "platform/hotkeysetting.h"
#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <future>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using cataloguelocation::Source;
using commandline::Action;
using Answer = SingleInstance::Answer;

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

    // The user's own catalogue is made once from the starter, in one step,
    // with the starter kept as its base; a missing or useless starter makes
    // nothing.
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
                 (QStringList{u"padr.base"_qs, u"padr.mdb"_qs}));
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

    // The Exec line as the desktop-entry format reads it back: quoted when
    // needed, % doubled, and the entry kept on one line.
    void autostartExec_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("percent") << u"/opt/100%/kelvane"_qs << u"\"/opt/100%%/kelvane\""_qs;
        QTest::newRow("dollar, backslash")
            << uR"(/opt/a$b\c/kelvane)"_qs << uR"("/opt/a\\$b\\\\c/kelvane")"_qs;
        QTest::newRow("line break, tab") << u"/opt/a\nb\tc"_qs << uR"("/opt/a\nb\tc")"_qs;
    }

    void autostartExec()
    {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        const QString text = QString::fromUtf8(autostart::entryText(path));
        QVERIFY2(text.contains(u"\nExec="_qs + exec + u'\n'), qPrintable(text));
        QCOMPARE(text.count(u'\n'), 9); // one line per key, nothing broken up
    }

    void commandLineOutcomes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<bool>("autostartOn");
        QTest::addColumn<QString>("textStart");
        QTest::addColumn<QString>("qt"); // -platform|-display as read for the session
        QTest::newRow("none") << QStringList{} << Action::Run << QString() << false << QString()
                              << QString();
        QTest::newRow("catalogue") << QStringList{u"--catalogue"_qs, u"x.mdb"_qs} << Action::Run
                                   << u"x.mdb"_qs << false << QString() << QString();
        QTest::newRow("catalogue=") << QStringList{u"--catalogue=/a b.mdb"_qs} << Action::Run
                                    << u"/a b.mdb"_qs << false << QString() << QString();
        QTest::newRow("help") << QStringList{u"--help"_qs} << Action::Print << QString() << false
                              << u"Usage: kelvane [options]"_qs << QString();
        QTest::newRow("-h") << QStringList{u"-h"_qs} << Action::Print << QString() << false
                            << u"Usage: kelvane [options]"_qs << QString();
        QTest::newRow("version") << QStringList{u"--version"_qs} << Action::Print << QString()
                                 << false << u"Kelvane 1.0\n"_qs << QString();
        QTest::newRow("autostart on")
            << QStringList{u"--autostart"_qs, u"on"_qs} << Action::Autostart << QString() << true
            << QString() << QString();
        QTest::newRow("autostart off") << QStringList{u"--autostart=off"_qs} << Action::Autostart
                                       << QString() << false << QString() << QString();
        QTest::newRow("autostart other")
            << QStringList{u"--autostart=yes"_qs} << Action::Refuse << QString() << false
            << u"--autostart takes on or off, not 'yes'."_qs << QString();
        QTest::newRow("unknown") << QStringList{u"--bogus"_qs} << Action::Refuse << QString()
                                 << false << u"Unknown option 'bogus'.\nUsage: kelvane"_qs
                                 << QString();
        QTest::newRow("no value") << QStringList{u"--catalogue"_qs} << Action::Refuse << QString()
                                  << false << u"Missing value after '--catalogue'."_qs << QString();
        QTest::newRow("empty value")
            << QStringList{u"--catalogue="_qs} << Action::Refuse << QString() << false
            << u"--catalogue needs a file name."_qs << QString();
        QTest::newRow("positional") << QStringList{u"padr.mdb"_qs} << Action::Refuse << QString()
                                    << false << u"Unexpected argument 'padr.mdb'."_qs << QString();
        QTest::newRow("Qt's options passed on")
            << QStringList{u"-platform"_qs, u"offscreen"_qs,   u"--display"_qs,
                           u":5"_qs,        u"-style"_qs,      u"Fusion"_qs,
                           u"-reverse"_qs,  u"--catalogue"_qs, u"x.mdb"_qs}
            << Action::Run << u"x.mdb"_qs << false << QString() << u"offscreen|:5"_qs;
        QTest::newRow("Qt's name=value options")
            << QStringList{u"-style=Fusion"_qs, u"--stylesheet=a.qss"_qs,
                           u"-qmljsdebugger=port:1"_qs}
            << Action::Run << QString() << false << QString() << QString();
        QTest::newRow("Qt option without its value")
            << QStringList{u"--catalogue"_qs, u"x.mdb"_qs, u"-platform"_qs} << Action::Refuse
            << QString() << false << u"Missing value after '-platform'."_qs << QString();
        QTest::newRow("catalogue named like a Qt option")
            << QStringList{u"--catalogue"_qs, u"-style"_qs} << Action::Run << u"-style"_qs << false
            << QString() << QString();
    }

    void commandLineOutcomes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, catalogue);
        QFETCH(bool, autostartOn);
        QFETCH(QString, textStart);
        QFETCH(QString, qt);
        arguments.prepend(u"/usr/bin/kelvane"_qs);
        const commandline::Outcome outcome = commandline::parse(arguments);
        QCOMPARE(outcome.action, action);
        QCOMPARE(outcome.catalogue, catalogue);
        QCOMPARE(outcome.autostartOn, autostartOn);
        QVERIFY2(outcome.text.startsWith(textStart), qPrintable(outcome.text));
        if (action == Action::Run)
            QCOMPARE(outcome.qtPlatform + u'|' + outcome.qtDisplay, qt.isEmpty() ? u"|"_qs : qt);
    }

    // What a command line comes to, in one line: "run", "find:TEXT",
    // "hotkey:KEY", "forget", or "refuse:" and the first line of the reason.
    static QString described(QStringList arguments)
    {
        arguments.prepend(u"kelvane"_qs);
        const commandline::Outcome outcome = commandline::parse(arguments);
        switch (outcome.action) {
        case Action::Run:
            return outcome.find ? u"find:"_qs + outcome.findText : u"run"_qs;
        case Action::SetHotkey:
            return u"hotkey:"_qs + outcome.text;
        case Action::ForgetUsage:
            return u"forget"_qs;
        case Action::Refuse:
            return u"refuse:"_qs + outcome.text.section(u'\n', 0, 0);
        default:
            return u"other"_qs;
        }
    }

    // --find with or without text starts (or hands over); --find-hotkey and
    // --forget-usage do their work and exit.
    void findOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outcome");
        const QString badKey = u"refuse:--find-hotkey takes one key with its modifiers, such as "
                               u"Ctrl+Alt+K, or off. "_qs;
        QTest::newRow("--find") << QStringList{u"--find"_qs} << u"find:"_qs;
        QTest::newRow("--find TEXT") << QStringList{u"--find"_qs, u"南方"_qs} << u"find:南方"_qs;
        QTest::newRow("--find two words")
            << QStringList{u"--find"_qs, u"le"_qs, u"monde"_qs} << u"find:le monde"_qs;
        // As the desktop search's provider hands its terms over.
        QTest::newRow("--find -- text like an option")
            << QStringList{u"--find"_qs, u"--"_qs, u"--catalogue x.mdb"_qs}
            << u"find:--catalogue x.mdb"_qs;
        QTest::newRow("--find after --catalogue")
            << QStringList{u"--catalogue"_qs, u"x.mdb"_qs, u"--find"_qs, u"rmrb"_qs}
            << u"find:rmrb"_qs;
        QTest::newRow("text without --find")
            << QStringList{u"南方"_qs} << u"refuse:Unexpected argument '南方'."_qs;
        QTest::newRow("--find-hotkey ctrl+alt+k")
            << QStringList{u"--find-hotkey"_qs, u"ctrl+alt+k"_qs} << u"hotkey:Ctrl+Alt+K"_qs;
        QTest::newRow("--find-hotkey=Meta+F9")
            << QStringList{u"--find-hotkey=Meta+F9"_qs} << u"hotkey:Meta+F9"_qs;
        QTest::newRow("--find-hotkey off")
            << QStringList{u"--find-hotkey"_qs, u"OFF"_qs} << u"hotkey:off"_qs;
        QTest::newRow("--find-hotkey bad")
            << QStringList{u"--find-hotkey"_qs, u"ctrl+alt+nokey"_qs}
            << badKey + u"'ctrl+alt+nokey' names no key that can be grabbed."_qs;
        QTest::newRow("--find-hotkey two keys")
            << QStringList{u"--find-hotkey"_qs, u"ctrl+k,ctrl+f"_qs}
            << badKey + u"'ctrl+k,ctrl+f' is not one key with its modifiers."_qs;
        QTest::newRow("--find-hotkey without value")
            << QStringList{u"--find-hotkey"_qs}
            << u"refuse:Missing value after '--find-hotkey'."_qs;
        QTest::newRow("--forget-usage") << QStringList{u"--forget-usage"_qs} << u"forget"_qs;
        QTest::newRow("plain start") << QStringList{} << u"run"_qs;
    }

    void findOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, outcome);
        QCOMPARE(described(arguments), outcome);
    }

    // The global key as the X server grabs it: a keysym (letters in lower
    // case) and the modifier mask (Shift 1, Control 4, Mod1 = Alt 8, Mod4 =
    // Meta 64).
    void hotkeyParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("keysym"); // 0: refused
        QTest::addColumn<uint>("modifiers");
        QTest::addColumn<QString>("canonical"); // or the start of the reason
        QTest::newRow("default") << u"Ctrl+Alt+K"_qs << 0x6bu << 12u << u"Ctrl+Alt+K"_qs;
        QTest::newRow("lower case") << u"ctrl+alt+k"_qs << 0x6bu << 12u << u"Ctrl+Alt+K"_qs;
        QTest::newRow("blanks around") << u" Ctrl+Alt+K "_qs << 0x6bu << 12u << u"Ctrl+Alt+K"_qs;
        QTest::newRow("meta shift") << u"Meta+Shift+F"_qs << 0x66u << 65u << u"Meta+Shift+F"_qs;
        QTest::newRow("digit") << u"Ctrl+Alt+1"_qs << 0x31u << 12u << u"Ctrl+Alt+1"_qs;
        QTest::newRow("function key alone") << u"F12"_qs << 0xffc9u << 0u << u"F12"_qs;
        QTest::newRow("ctrl+space") << u"Ctrl+Space"_qs << 0x20u << 4u << u"Ctrl+Space"_qs;
        QTest::newRow("named key") << u"Alt+PgDown"_qs << 0xff56u << 8u << u"Alt+PgDown"_qs;
        QTest::newRow("bare letter") << u"K"_qs << 0u << 0u << u"'K' needs Ctrl, Alt or Meta"_qs;
        QTest::newRow("shift only") << u"Shift+K"_qs << 0u << 0u << u"'Shift+K' needs"_qs;
        QTest::newRow("two keys") << u"Ctrl+K, Ctrl+F"_qs << 0u << 0u
                                  << u"'Ctrl+K, Ctrl+F' is not one key"_qs;
        QTest::newRow("unknown name") << u"Ctrl+Alt+Kay"_qs << 0u << 0u << u"'Ctrl+Alt+Kay'"_qs;
        QTest::newRow("modifiers alone") << u"Ctrl+Alt"_qs << 0u << 0u << u"'Ctrl+Alt'"_qs;
        QTest::newRow("empty") << QString() << 0u << 0u << u"'' is not one key"_qs;
    }

    void hotkeyParsing()
    {
        QFETCH(QString, text);
        QFETCH(uint, keysym);
        QFETCH(uint, modifiers);
        QFETCH(QString, canonical);
        const hotkey::Choice choice = hotkey::parse(text);
        QVERIFY(!choice.off);
        if (keysym == 0) {
            QVERIFY(!choice.key);
            QVERIFY2(choice.error.startsWith(canonical), qPrintable(choice.error));
            return;
        }
        QVERIFY2(choice.key, qPrintable(choice.error));
        QCOMPARE(choice.key->keysym, keysym);
        QCOMPARE(uint(choice.key->modifiers), modifiers);
        QCOMPARE(choice.key->text, canonical);
    }

    // The key lives in the program's own settings file: the default until
    // the user chooses, then the choice, "off" included.
    void hotkeySetting()
    {
        QTemporaryDir root;
        const QString path = QDir(root.path()).filePath(u"kelvane/kelvane.conf"_qs);
        QCOMPARE(hotkeysetting::stored(path), u"Ctrl+Alt+K"_qs);
        hotkeysetting::store(u"Meta+F9"_qs, path);
        QVERIFY(QFile::exists(path));
        QCOMPARE(hotkeysetting::stored(path), u"Meta+F9"_qs);
        hotkeysetting::store(u"off"_qs, path);
        QVERIFY(hotkey::parse(hotkeysetting::stored(path)).off);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.path()));
        QCOMPARE(hotkeysetting::settingsPath(), path);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // One program per display, whatever its screen; the name lives in the
    // session's runtime folder, or else in a private one in the cache home.
    void instanceName_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("name");
        QTest::newRow(":93") << u":93"_qs << u"kelvane-1000-_93"_qs;
        QTest::newRow(":93.0, same display") << u":93.0"_qs << u"kelvane-1000-_93"_qs;
        QTest::newRow("host:10.0") << u"host:10.0"_qs << u"kelvane-1000-host_10"_qs;
    }

    void instanceName()
    {
        QFETCH(QString, display);
        QFETCH(QString, name);
        QCOMPARE(SingleInstance::serverName(u"/run/user/1000"_qs, display, 1000),
                 u"/run/user/1000/"_qs + name);
    }

    void instanceFolder_data()
    {
        QTest::addColumn<QString>("before"); // what cache/kelvane was
        QTest::addColumn<QString>("folder"); // under the temporary folder; "" for none
        QTest::newRow("cache, made private") << QString() << u"cache/kelvane"_qs;
        QTest::newRow("open cache folder narrowed") << u"open folder"_qs << u"cache/kelvane"_qs;
        QTest::newRow("a file in the way") << u"file"_qs << QString();
        QTest::newRow("a link in the way") << u"link"_qs << QString();
    }

    void instanceFolder()
    {
        QFETCH(QString, before);
        QFETCH(QString, folder);
        QTemporaryDir root;
        const QDir dir(root.path());
        const QString cache = dir.filePath(u"cache"_qs);
        const QByteArray kelvane = QFile::encodeName(dir.filePath(u"cache/kelvane"_qs));
        QVERIFY(dir.mkpath(u"cache"_qs) && dir.mkpath(u"elsewhere"_qs));
        if (before == u"open folder")
            QCOMPARE(::mkdir(kelvane.constData(), 0777), 0);
        else if (before == u"file")
            touch(QString::fromLocal8Bit(kelvane));
        else if (before == u"link")
            QCOMPARE(::symlink(qPrintable(dir.filePath(u"elsewhere"_qs)), kelvane.constData()), 0);
        const QString chosen = SingleInstance::privateFolder(QString(), cache);
        QCOMPARE(chosen, folder.isEmpty() ? QString() : dir.filePath(folder));
        struct stat status = {};
        if (!folder.isEmpty()) {
            QCOMPARE(::lstat(kelvane.constData(), &status), 0);
            QCOMPARE(status.st_mode & 0777, 0700u);
        }
    }

    // A later start hands over to the first on the same catalogue, however
    // it is spelt, and passes its launch's id on; on another catalogue it
    // is told which one runs and nothing is shown. A client that never ends
    // its line neither holds the others up nor stays connected.
    void handOver()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        const QString running = dir.filePath(u"running.mdb"_qs);
        touch(running);
        QVERIFY(dir.mkpath(u"sub"_qs) && QFile::link(dir.path(), dir.filePath(u"link"_qs)));
        SingleInstance first(dir.filePath(u"kelvane-test"_qs));
        QVERIFY(first.lock());
        first.listen();
        first.setCatalogue(running);
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        SingleInstance later(dir.filePath(u"kelvane-test"_qs));
        QVERIFY(!later.lock());

        QLocalSocket stalled;
        stalled.connectToServer(dir.filePath(u"kelvane-test"_qs));
        QVERIFY(stalled.waitForConnected(1000));
        stalled.write("show");
        QVERIFY(stalled.waitForBytesWritten(1000));

        const auto askFor = [&](const SingleInstance::Request &request) {
            auto reply =
                std::async(std::launch::async, [&] { return later.handOver(request, 5000); });
            // The running side answers from this thread's event loop.
            (void)QTest::qWaitFor(
                [&] {
                    return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
                },
                10000);
            return reply.get();
        };
        const auto ask = [&](const QString &catalogue) {
            return askFor({catalogue, "id-1_TIME42", {}, false, {}});
        };
        const SingleInstance::Reply other = ask(dir.filePath(u"other.mdb"_qs));
        QCOMPARE(other.answer, Answer::OtherCatalogue);
        QCOMPARE(other.runningCatalogue, running);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(ask(dir.filePath(u"link/sub/../running.mdb"_qs)).answer, Answer::Shown);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toByteArray(), QByteArray("id-1_TIME42"));
        QCOMPARE(ask(QString()).answer, Answer::Shown); // no --catalogue: any will do
        QCOMPARE(shown.count(), 2);
        // --find: the find window with the text, blanks and all, not the main window.
        QSignalSpy found(&first, &SingleInstance::findRequested);
        QCOMPARE(askFor({QString(), "id-2", {}, true, u"南方 都市\n报"_qs}).answer, Answer::Shown);
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.first().first().toString(), u"南方 都市\n报"_qs);
        QCOMPARE(found.first().at(1).toByteArray(), QByteArray("id-2"));
        QCOMPARE(askFor({dir.filePath(u"other.mdb"_qs), {}, {}, true, u"x"_qs}).answer,
                 Answer::OtherCatalogue);
        QCOMPARE(found.count(), 1);

        QCOMPARE(stalled.state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), QLocalSocket::UnconnectedState, 6000);
        QCOMPARE(shown.count(), 2);
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
