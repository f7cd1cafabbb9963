#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "forms/mainfrm.h"
#include "forms/maintenancechecks.h"
#include "maintenancewindow.h"
#include "platform/messagebox.h"
#include "urlcapture.h"
#include "windowset.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <sqlite3.h>

namespace {

using Row = TestCatalogue::Row;
using maintenancechecks::NewPaper;
const QString nameTaken = u"已经存在此报纸名字,请重新输入！"_qs;
const QString provinceTaken = u"已经存在这个省市,不用再创建新的！"_qs;
const QString noTable = u"near \"where\": syntax error."_qs;

const QList<Row> domesticSeed{
    {u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs},
    {u"上海"_qs, u"解放日报"_qs, u"https://www.jfdaily.com/"_qs},
};
const QList<Row> foreignSeed{
    {u"美国"_qs, u"The New York Times"_qs, u"https://www.nytimes.com/"_qs},
    {u"日本"_qs, u"朝日新闻"_qs, u"https://www.asahi.com/"_qs},
};

void seed(TestCatalogue &catalogue)
{
    for (const Row &row : domesticSeed)
        catalogue.add(domestic, row.pcity, row.pname, row.purl);
    for (const Row &row : foreignSeed)
        catalogue.add(foreign, row.pcity, row.pname, row.purl);
}

// Holds the catalogue's write lock from another connection while it lives.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~WriteLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }

private:
    sqlite3 *m_db = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(TestCatalogue::Row)
Q_DECLARE_METATYPE(maintenancechecks::NewPaper)

class TestSetForm : public WindowSetTest
{
    Q_OBJECT

private slots:
    void windowAsDefined()
    {
        const MaintenanceWindow window = openMaintenanceWindow();
        QCOMPARE(SetForm->windowTitle(), u"报纸设置窗口"_qs);
        QCOMPARE(SetForm->minimumSize(), QSize(387, 453));
        QCOMPARE(SetForm->maximumSize(), QSize(387, 453));
        QVERIFY(SetForm->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(SetForm->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.pages()->geometry(), QRect(0, 0, 387, 453));
        QCOMPARE(window.pages()->currentWidget(), window.get(u"TabSheet1"_qs));
        QCOMPARE(window.pages()->tabText(0), u"增加"_qs);
        QCOMPARE(window.pages()->tabText(1), u"删除"_qs);
        QCOMPARE(window.get(u"Panel1"_qs)->geometry(), window.get(u"TabSheet1"_qs)->rect());
        // The captions keep their trailing blanks.
        const QList<std::pair<QString, QString>> captions{
            {u"Label1"_qs, u"报纸名称：  "_qs},     {u"Label2"_qs, u"报纸链接：   "_qs},
            {u"Label3"_qs, u"国内/国外：   "_qs},   {u"Label4"_qs, u"省市选择：   "_qs},
            {u"Label5"_qs, u"新省市：   "_qs},      {u"Label6"_qs, u"报纸名称：   "_qs},
            {u"Label16"_qs, u"国内/国外：    "_qs}, {u"Label8"_qs, u"报纸名称：  "_qs},
            {u"Label7"_qs, u"报纸链接：   "_qs},    {u"Label9"_qs, u"国内/国外：   "_qs},
            {u"Label10"_qs, u"省市：   "_qs}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(window.get<QLabel>(name)->text(), caption);

        QCOMPARE(entries(window.combo(1)), (QStringList{u"国内"_qs, u"国外"_qs}));
        QCOMPARE(window.combo(1)->currentIndex(), -1);
        QVERIFY(!window.combo(1)->isEditable());
        QCOMPARE(window.combo(2)->count(), 0);
        QVERIFY(!window.combo(2)->isEditable());
        QCOMPARE(entries(window.combo(3)), (QStringList{u"国内"_qs, u"国外"_qs}));
        QVERIFY(window.combo(3)->isEditable());
        QCOMPARE(window.combo(3)->currentText(), QString());
        window.type(window.combo(3)->lineEdit(), u"中国"_qs);
        QTest::keyClick(window.combo(3)->lineEdit(), Qt::Key_Return);
        QCOMPARE(entries(window.combo(3)),
                 (QStringList{u"国内"_qs, u"国外"_qs})); // typed, not kept
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(window.edit(n)->isReadOnly(), n >= 5);
        QVERIFY(messages().messages.isEmpty());
    }

    void tabOrder()
    {
        const MaintenanceWindow window = openMaintenanceWindow();
        const QStringList expected{u"ComboBox1"_qs, u"Edit1"_qs,     u"Edit2"_qs,     u"Edit3"_qs,
                                   u"Button1"_qs,   u"Button2"_qs,   u"ComboBox2"_qs, u"Edit4"_qs,
                                   u"Button3"_qs,   u"ComboBox3"_qs, u"Button4"_qs,   u"Button5"_qs,
                                   u"Edit6"_qs,     u"Edit7"_qs,     u"Edit8"_qs,     u"Edit5"_qs};
        QStringList chain;
        QWidget *start = window.combo(1);
        for (QWidget *w = start; chain.size() < expected.size(); w = w->nextInFocusChain()) {
            if (expected.contains(w->objectName()))
                chain.append(w->objectName());
            if (w->nextInFocusChain() == start)
                break;
        }
        QCOMPARE(chain, expected);
    }

    void provinceListFollowsTheKind()
    {
        seed(catalogue());
        catalogue().add(domestic, u""_qs, u"无省报"_qs, u"http://a.example/"_qs);
        const MaintenanceWindow window = openMaintenanceWindow();

        window.choose(1, u"国内"_qs);
        QCOMPARE(entries(window.combo(2)), (QStringList{u"  "_qs, u"北京"_qs, u"上海"_qs}));
        window.choose(2, u"北京"_qs);
        window.choose(1, u"国外"_qs);
        const QStringList engineOrder =
            catalogue().column(u"select distinct pcity from poverseas"_qs);
        QCOMPARE(entries(window.combo(2)), QStringList{u"  "_qs} + engineOrder);
        QCOMPARE(window.combo(2)->currentIndex(), -1);
        QCOMPARE(window.combo(2)->currentText(), QString());
        QVERIFY(messages().messages.isEmpty());
    }

    void nullProvinceStopsTheList()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://a.example/"_qs);
        catalogue().add(domestic, std::nullopt, u"无名"_qs, u"http://b.example/"_qs);
        catalogue().add(domestic, u"上海"_qs, u"解放日报"_qs, u"http://c.example/"_qs);
        const MaintenanceWindow window = openMaintenanceWindow();
        messages().clear(); // the main window's menus meet the NULL too

        window.choose(1, u"国内"_qs);
        QCOMPARE(entries(window.combo(2)), (QStringList{u"  "_qs, u"北京"_qs}));
        QCOMPARE(messages().texts(), QStringList{nullField});
        QCOMPARE(messages().messages.at(0).kind, int(messagebox::Kind::Error));
    }

    void addAction_data()
    {
        QTest::addColumn<NewPaper>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("table"); // where the paper goes; empty when nothing is written
        QTest::addColumn<Row>("stored");
        const auto refused = [](const char *tag, NewPaper typed, const QString &message) {
            QTest::newRow(tag) << typed << message << QString() << Row{};
        };
        const auto accepted = [](const char *tag, NewPaper typed, const QString &table, Row row) {
            QTest::newRow(tag) << typed << added << table << row;
        };
        const QString url = u"http://a.example/"_qs;
        const QString name = u"新报"_qs;
        refused("no name", {{}, url, u"国内"_qs, u"北京"_qs, {}}, u"报纸名称不能为空"_qs);
        refused("blank name", {u"   "_qs, url, u"国内"_qs, u"北京"_qs, {}}, u"报纸名称不能为空"_qs);
        refused("blank address", {name, u"  "_qs, u"国内"_qs, u"北京"_qs, {}},
                u"报纸链接不能为空"_qs);
        refused("no kind", {name, url, {}, {}, u"新省"_qs}, u"所属国家不能为空"_qs);
        refused("no province", {name, url, u"国内"_qs, {}, {}},
                u"纸所属省市和新省市不能同时为空"_qs);
        refused("blank first entry", {name, url, u"国内"_qs, u"  "_qs, u"  "_qs},
                u"纸所属省市和新省市不能同时为空"_qs);
        refused("both provinces", {name, url, u"国内"_qs, u"北京"_qs, u"天津"_qs},
                u"纸所属省市和新省市不能同时不为空"_qs);

        const QString bjd = u"https://www.bjd.com.cn/"_qs;
        accepted("listed province", {u"北京日报"_qs, bjd, u"国内"_qs, u"北京"_qs, {}}, domestic,
                 {u"北京"_qs, u"北京日报"_qs, bjd});
        const QString leMonde = u"https://www.lemonde.fr/"_qs;
        accepted("new province", {u"Le Monde"_qs, leMonde, u"国外"_qs, {}, u"法国"_qs}, foreign,
                 {u"法国"_qs, u"Le Monde"_qs, leMonde});
        const QString people = u"http://en.people.cn/"_qs;
        accepted("name of the other half", {u"人民日报"_qs, people, u"国外"_qs, {}, u"中国"_qs},
                 foreign, {u"中国"_qs, u"人民日报"_qs, people});
        accepted("blanks around",
                 {u"  环球时报 "_qs, u" http://huanqiu.com/  "_qs, u"国内"_qs, {}, u" 北京市 "_qs},
                 domestic, {u"北京市"_qs, u"环球时报"_qs, u"http://huanqiu.com/"_qs});
    }

    void addAction()
    {
        QFETCH(NewPaper, typed);
        QFETCH(QString, message);
        QFETCH(QString, table);
        QFETCH(Row, stored);
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();

        window.fillNewPaper(typed);
        const QStringList before = window.contents();
        window.press(1);
        QCOMPARE(messages().texts(), QStringList{message});
        QCOMPARE(messages().messages.at(0).kind, int(messagebox::Kind::Information));
        QCOMPARE(window.contents(), before); // nothing cleared, the list not refilled
        const auto withNew = [&](const QString &half, const QList<Row> &seeded) {
            return half == table ? seeded + QList{stored} : seeded;
        };
        QCOMPARE(catalogue().rows(domestic), withNew(domestic, domesticSeed));
        QCOMPARE(catalogue().rows(foreign), withNew(foreign, foreignSeed));
    }

    void pressingAddTwiceAddsOnce()
    {
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();
        QVERIFY(window.activate());

        window.fillNewPaper(
            {u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs, u"国外"_qs, {}, u"法国"_qs});
        window.press(1);
        window.press(1);
        QCOMPARE(messages().texts(), (QStringList{added, nameTaken}));
        QCOMPARE(window.edit(1)->text(), QString());
        QCOMPARE(window.edit(2)->text(), QString());
        QCOMPARE(window.edit(3)->text(), u"法国"_qs);
        QCOMPARE(QApplication::focusWidget(), window.edit(1));
        QCOMPARE(catalogue().rows(foreign).size(), foreignSeed.size() + 1);
    }

    void existingNewProvinceIsRefused()
    {
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();
        QVERIFY(window.activate());
        const Row first{u"法国"_qs, u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs};

        window.fillNewPaper({*first.pname, *first.purl, u"国外"_qs, {}, *first.pcity});
        window.press(1);
        // Added during this showing, so not listed, yet refused all the same.
        for (const QString &province : {u"法国"_qs, u"美国"_qs}) {
            window.type(1, u"Le Figaro"_qs);
            window.type(2, u"https://www.lefigaro.fr/"_qs);
            window.type(3, province);
            window.press(1);
            QCOMPARE(messages().texts().last(), provinceTaken);
            QCOMPARE(window.edit(3)->text(), QString());
            QCOMPARE(window.edit(1)->text(), u"Le Figaro"_qs);
            QCOMPARE(QApplication::focusWidget(), window.edit(3));
        }
        QVERIFY(!entries(window.combo(2)).contains(u"法国"_qs));
        QCOMPARE(catalogue().rows(foreign), foreignSeed + QList{first});
    }

    void unusualTextIsStoredFoundAndDeletedExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("double quotes") << u"他说\"好\"报"_qs;
        QTest::newRow("a column name") << u"pname"_qs;
        QTest::newRow("the other column") << u"pcity"_qs;
        QTest::newRow("SQL-looking") << u"\" or \"\"=\""_qs;
        QTest::newRow("control characters") << u"a\x01b\tc\x1fd\ne"_qs;
        QTest::newRow("1 MB") << QString(1 << 20, u'x');
        QTest::newRow("no GBK form") << u"报😀纸"_qs;
        QTest::newRow("right to left") << u"\u202Eصحيفة עיתון"_qs;
        QTest::newRow("statement end") << u"x'); drop table pinternal; --"_qs;
        QTest::newRow("file address") << u"file:///etc/passwd"_qs;
        QTest::newRow("javascript") << u"javascript:alert(1)"_qs;
        QTest::newRow("a path") << u"/usr/bin/xterm"_qs;
    }

    void unusualTextIsStoredFoundAndDeletedExactly()
    {
        QFETCH(QString, text);
        seed(catalogue());
        UrlCapture urls;
        const MaintenanceWindow window = openMaintenanceWindow();

        window.choose(1, u"国外"_qs);
        window.paste(1, text);
        window.paste(2, text);
        window.paste(3, text);
        window.press(1);
        QCOMPARE(catalogue().rows(foreign), foreignSeed + QList{(Row{text, text, text})});

        window.paste(4, text);
        window.combo(3)->setCurrentIndex(1);
        window.press(3);
        QCOMPARE(window.result(), (QStringList{text, text, u"国外"_qs, text}));
        window.press(4);
        QCOMPARE(messages().texts(), (QStringList{added, deleted}));
        QCOMPARE(catalogue().rows(foreign), foreignSeed);
        QCOMPARE(catalogue().rows(domestic), domesticSeed);
        QVERIFY(urls.urls.isEmpty());
    }

    void findShowsThePaperAndDeleteRemovesIt()
    {
        seed(catalogue());
        const Row sameName{u"英国"_qs, u"人民日报"_qs, u"http://en.people.cn/"_qs};
        catalogue().add(foreign, sameName.pcity, sameName.pname, sameName.purl);
        const MaintenanceWindow window = openMaintenanceWindow();

        window.find(u" 人民日报 "_qs, u"  国内 "_qs);
        const QStringList found{u"人民日报"_qs, u"http://www.people.com.cn/"_qs, u"  国内 "_qs,
                                u"北京"_qs};
        QCOMPARE(window.result(), found);
        window.find(u"没有的报"_qs, u"国内"_qs);
        QCOMPARE(messages().texts(), QStringList{u"没有此报纸，请重新查找！"_qs});
        QCOMPARE(window.result(), found);

        // The result part, not the search fields, names the paper to delete.
        window.type(4, u"解放日报"_qs);
        window.press(4);
        QCOMPARE(messages().texts().last(), deleted);
        QCOMPARE(catalogue().rows(domestic), QList{domesticSeed.at(1)});
        QCOMPARE(catalogue().rows(foreign), foreignSeed + QList{sameName});
        QCOMPARE(window.edit(4)->text(), QString());
        QCOMPARE(window.combo(3)->currentText(), QString());
        QCOMPARE(window.result(), QStringList(4));
    }

    void findChecksInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank name") << "   " << u"国内"_qs << u"报纸名称不能为空！"_qs;
        QTest::newRow("blank kind") << u"人民日报"_qs << "  " << u"报纸所属国家不能为空！"_qs;
    }

    void findChecksInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();

        window.find(u"解放日报"_qs, u"国内"_qs);
        const QStringList found = window.result();
        window.find(name, kind);
        QCOMPARE(messages().texts(), QStringList{message});
        QCOMPARE(window.result(), found);
    }

    void nullFieldStopsTheResult()
    {
        seed(catalogue());
        catalogue().add(domestic, u"河北"_qs, u"空址报"_qs, std::nullopt);
        const MaintenanceWindow window = openMaintenanceWindow();

        window.find(u"人民日报"_qs, u"国内"_qs);
        window.find(u"空址报"_qs, u"国内 "_qs);
        QCOMPARE(messages().texts(), QStringList{nullField});
        QCOMPARE(window.result(), (QStringList{u"空址报"_qs, u"http://www.people.com.cn/"_qs,
                                               u"国内"_qs, u"北京"_qs}));
    }

    void kindOfNoTableFailsInTheEngine_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("kind");
        QTest::newRow("delete before any find") << 4 << u"国内"_qs;
        QTest::newRow("find with a typed kind") << 3 << u"中国"_qs;
    }

    void kindOfNoTableFailsInTheEngine()
    {
        QFETCH(int, button);
        QFETCH(QString, kind);
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();

        window.type(4, u"人民日报"_qs);
        window.type(window.combo(3)->lineEdit(), kind);
        const QStringList before = window.contents();
        window.press(button);
        QCOMPARE(messages().texts(), QStringList{noTable});
        QCOMPARE(messages().messages.at(0).kind, int(messagebox::Kind::Error));
        QCOMPARE(window.contents(), before);
        QCOMPARE(catalogue().rows(domestic), domesticSeed);
    }

    void databaseFailuresChangeNothing_data()
    {
        QTest::addColumn<bool>("dropTable");
        QTest::addColumn<QStringList>("errors"); // of add, find and delete; %1 is the file
        QTest::newRow("table missing") << true << QStringList(3, u"no such table: poverseas."_qs);
        // Readers go on while another process writes; only the writes wait and fail.
        QTest::newRow("locked by another process")
            << false
            << QStringList(2, u"The catalogue file '%1' is in use by another program; try again "
                              "later (database is locked)"_qs);
    }

    void databaseFailuresChangeNothing()
    {
        QFETCH(bool, dropTable);
        QFETCH(QStringList, errors);
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();
        window.find(u"朝日新闻"_qs, u"国外"_qs);
        window.fillNewPaper(
            {u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs, u"国外"_qs, {}, u"法国"_qs});
        const QStringList before = window.contents();

        std::optional<WriteLock> lock;
        if (dropTable)
            catalogue().exec(u"drop table poverseas"_qs);
        else
            lock.emplace(catalogue().path());
        for (int button : {1, 3, 4})
            window.press(button);
        lock.reset();
        for (QString &error : errors)
            error.replace(u"%1"_qs, catalogue().path());
        QCOMPARE(messages().texts(), errors);
        QCOMPARE(window.contents(), before);
        QCOMPARE(catalogue().rows(domestic), domesticSeed);
        if (!dropTable)
            QCOMPARE(catalogue().rows(foreign), foreignSeed);
    }

    void missingFileIsNeverMade()
    {
        catalogue().removeFile();
        const MaintenanceWindow window = openMaintenanceWindow();
        messages().clear();

        window.fillNewPaper(
            {u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs, u"国外"_qs, {}, u"法国"_qs});
        window.press(1);
        window.find(u"朝日新闻"_qs, u"国外"_qs);
        const QString error = u"Could not find file '%1'"_qs.arg(catalogue().path());
        QCOMPARE(messages().texts(), (QStringList{error, error, error}));
        QCOMPARE(window.edit(1)->text(), u"Le Monde"_qs);
        QVERIFY(!QFile::exists(catalogue().path()));
    }

    void addWhileOtherQueriesAreOpenSucceedsAtOnce()
    {
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();
        CatalogueConnection otherConnection(connectionsettings::shortForm);
        CatalogueQuery otherQuery(u"ADOQuery1"_qs, otherConnection);
        otherQuery.open(statements::allNames(domestic));
        QVERIFY(!otherQuery.eof()); // still on its first row

        window.fillNewPaper(
            {u"北京日报"_qs, u"https://www.bjd.com.cn/"_qs, u"国内"_qs, u"北京"_qs, {}});
        QElapsedTimer clock;
        clock.start();
        window.press(1);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(messages().texts(), QStringList{added});
        QCOMPARE(catalogue().rows(domestic).size(), domesticSeed.size() + 1);
    }

    void focusFollowsThePointer_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("takesFocus");
        QTest::newRow("Edit1") << u"Edit1"_qs << 0 << true;
        QTest::newRow("Edit2") << u"Edit2"_qs << 0 << true;
        QTest::newRow("Edit3") << u"Edit3"_qs << 0 << true;
        QTest::newRow("Edit4") << u"Edit4"_qs << 1 << true;
        QTest::newRow("province list") << u"ComboBox2"_qs << 0 << false;
        QTest::newRow("add button") << u"Button1"_qs << 0 << false;
        QTest::newRow("result field") << u"Edit6"_qs << 1 << false;
    }

    void focusFollowsThePointer()
    {
        QFETCH(QString, target);
        QFETCH(int, page);
        QFETCH(bool, takesFocus);
        const MaintenanceWindow window = openMaintenanceWindow();
        QVERIFY(window.activate());
        window.pages()->setCurrentIndex(page);
        QWidget *control = window.get(target);
        QWidget *other = window.get(page == 0 ? u"ComboBox1"_qs : u"Button3"_qs);

        // Every move over the box takes the focus, not only the first one.
        for (const QPoint point : {QPoint(5, 5), QPoint(9, 6)}) {
            other->setFocus();
            QTest::mouseMove(control, point);
            QCOMPARE(QApplication::focusWidget(), takesFocus ? control : other);
        }
    }

    void closingHidesAndKeepsEverything_data()
    {
        QTest::addColumn<int>("closeWith"); // a Cancel button, or 0 for the close box
        QTest::newRow("add page cancel") << 2;
        QTest::newRow("delete page cancel") << 5;
        QTest::newRow("close box") << 0;
    }

    void closingHidesAndKeepsEverything()
    {
        QFETCH(int, closeWith);
        seed(catalogue());
        const MaintenanceWindow window = openMaintenanceWindow();
        window.find(u"朝日新闻"_qs, u"国外"_qs);
        window.fillNewPaper({u"Le Monde"_qs, {}, u"国外"_qs, u"日本"_qs, {}});
        SetForm->move(40, 30);
        QVERIFY(!MainForm->isEnabled());
        const QStringList before = window.contents();

        if (closeWith)
            window.press(closeWith);
        else
            SetForm->close();
        const int page = window.pages()->currentIndex();
        QVERIFY(!SetForm->isVisible());
        QVERIFY(MainForm->isEnabled());

        SetForm->openFromMainWindow();
        QCOMPARE(window.contents(), before);
        QCOMPARE(window.pages()->currentIndex(), page);
        QCOMPARE(SetForm->pos(), QPoint(40, 30));
        QVERIFY(!MainForm->isEnabled());
        QVERIFY(messages().messages.isEmpty());
    }
};

QTEST_MAIN(TestSetForm)
#include "tst_setform.moc"
