#include "app/startup.h"
#include "forms/aboutfrm.h"
#include "forms/mainfrm.h"
#include "forms/newspapermenus.h"
#include "forms/setfrm.h"
#include "forms/statisticfrm.h"
#include "testcatalogue.h"
#include "urlcapture.h"

#include <QMenu>
#include <QTest>

namespace {

const QString domestic = QStringLiteral("pinternal");
const QString foreign = QStringLiteral("poverseas");
const QString notFound =
    QStringLiteral("Could not convert variant of type (Null) into type (String)");

QStringList titles(const QMenu *menu)
{
    QStringList result;
    for (const QAction *action : menu->actions())
        result.append(action->text());
    return result;
}

QMenu *province(const QMenu *top, int index)
{
    return top->actions().at(index)->menu();
}

struct WindowSet
{
    WindowSet() { startup::createWindowSet(); }
    ~WindowSet() { startup::destroyWindowSet(); }
    QMenu *domesticMenu() const { return MainForm->findChild<QMenu *>(u"N1"_qs); }
    QMenu *foreignMenu() const { return MainForm->findChild<QMenu *>(u"N2"_qs); }
};

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void buildsMenusInTheEnginesOrder()
    {
        TestCatalogue catalogue;
        catalogue.add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
        catalogue.add(domestic, u"上海"_qs, u"解放日报"_qs, u"https://www.jfdaily.com/"_qs);
        catalogue.add(domestic, u"北京"_qs, u"北京日报"_qs, u"https://www.bjd.com.cn/"_qs);
        catalogue.add(domestic, u""_qs, u"无省报"_qs, u"http://example.org/"_qs);
        MessageCapture messages;
        WindowSet windows;

        // The engine's order is kept: the index on pcity gives it sorted.
        const QStringList engineOrder =
            catalogue.column(u"select distinct pcity from pinternal"_qs);
        QCOMPARE(engineOrder, (QStringList{u""_qs, u"上海"_qs, u"北京"_qs}));
        QCOMPARE(titles(windows.domesticMenu()), engineOrder);
        QCOMPARE(titles(province(windows.domesticMenu(), 2)),
                 (QStringList{u"人民日报"_qs, u"北京日报"_qs}));
        QCOMPARE(titles(province(windows.domesticMenu(), 0)), QStringList{u"无省报"_qs});
        QVERIFY(windows.foreignMenu()->actions().isEmpty());
        QVERIFY(messages.messages.isEmpty());
        QCOMPARE(MainForm->windowTitle(), u"KelvaneV1.0"_qs);
    }

    void nullProvinceStopsTheBuild()
    {
        TestCatalogue catalogue;
        // Without the index the engine returns provinces in the order stored.
        catalogue.exec(u"drop index pinternal_pcity"_qs);
        catalogue.add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
        catalogue.add(domestic, std::nullopt, u"无名"_qs, u"http://example.org/"_qs);
        catalogue.add(foreign, u"美国"_qs, u"The New York Times"_qs, u"https://nytimes.com/"_qs);
        MessageCapture messages;
        WindowSet windows;

        QCOMPARE(titles(windows.domesticMenu()), QStringList{u"北京"_qs});
        QVERIFY(province(windows.domesticMenu(), 0)->actions().isEmpty());
        QVERIFY(windows.foreignMenu()->actions().isEmpty());
        QCOMPARE(messages.texts(), QStringList{notFound});
    }

    void nullNameLeavesEarlierPapersWithoutHandlers()
    {
        TestCatalogue catalogue;
        catalogue.add(domestic, u"广东"_qs, u"南方日报"_qs, u"http://www.nfnews.com/"_qs);
        catalogue.add(domestic, u"广东"_qs, std::nullopt, u"http://example.org/"_qs);
        catalogue.add(domestic, u"湖南"_qs, u"湖南日报"_qs, u"https://www.hnrb.net/"_qs);
        MessageCapture messages;
        UrlCapture urls;
        WindowSet windows;

        QCOMPARE(titles(province(windows.domesticMenu(), 0)), QStringList{u"南方日报"_qs});
        province(windows.domesticMenu(), 0)->actions().at(0)->trigger();
        QVERIFY(urls.urls.isEmpty()); // the item was never given its handler
        QVERIFY(province(windows.domesticMenu(), 1)->actions().isEmpty());
        QCOMPARE(messages.texts(), QStringList{notFound});
    }

    void clickingAPaperOpensItsAddress_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("domestic") << domestic << u"人民日报"_qs << u"http://www.people.com.cn/"_qs
                                  << u"http://www.people.com.cn/"_qs;
        QTest::newRow("foreign https") << foreign << u"Le Monde"_qs << u"https://www.lemonde.fr/"_qs
                                       << u"https://www.lemonde.fr/"_qs;
        QTest::newRow("no scheme")
            << domestic << u"新民晚报"_qs << u"www.xinmin.cn"_qs << u"http://www.xinmin.cn"_qs;
        QTest::newRow("name ends in )")
            << domestic << u"参考消息(北京)"_qs << u"http://www.cankaoxiaoxi.com/"_qs
            << u"http://www.cankaoxiaoxi.com/"_qs;
        QTest::newRow("name with &") << foreign << u"Times & Post"_qs << u"https://example.com/"_qs
                                     << u"https://example.com/"_qs;
        QTest::newRow("double quotes")
            << foreign << u"The \"Sun\""_qs << u"https://www.thesun.co.uk/"_qs
            << u"https://www.thesun.co.uk/"_qs;
        QTest::newRow("statement end") << domestic << u"x\"); drop table pinternal; --"_qs
                                       << u"http://a.example/"_qs << u"http://a.example/"_qs;
        QTest::newRow("right to left")
            << foreign << u"\u202Eصحيفة עיתון"_qs << u"https://www.aljazeera.net/"_qs
            << u"https://www.aljazeera.net/"_qs;
        QTest::newRow("column name")
            << foreign << u"purl"_qs << u"https://purl.example/"_qs << u"https://purl.example/"_qs;
    }

    void clickingAPaperOpensItsAddress()
    {
        QFETCH(QString, table);
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(QString, opened);
        TestCatalogue catalogue;
        catalogue.add(table, u"某地"_qs, u"pname"_qs, u"https://wrong.example/"_qs);
        catalogue.add(table, u"某地"_qs, name, address);
        MessageCapture messages;
        UrlCapture urls;
        WindowSet windows;
        QMenu *top = table == domestic ? windows.domesticMenu() : windows.foreignMenu();

        QAction *paper = province(top, 0)->actions().at(1);
        QCOMPARE(paper->text(), newspapermenus::literalCaption(name));
        paper->trigger();
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(opened)});
        QVERIFY(messages.messages.isEmpty());
    }

    void addressesThatAreNotWebAddressesAreNeverOpened_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("file") << u"file:///etc/passwd"_qs;
        QTest::newRow("path") << u"/usr/bin/xterm"_qs;
        QTest::newRow("javascript") << u"javascript:alert(1)"_qs;
        QTest::newRow("program") << u"xterm -e sh"_qs;
        QTest::newRow("empty") << u""_qs;
    }

    void addressesThatAreNotWebAddressesAreNeverOpened()
    {
        QFETCH(QString, address);
        TestCatalogue catalogue;
        catalogue.add(domestic, u"某地"_qs, u"怪报"_qs, address);
        MessageCapture messages;
        UrlCapture urls;
        WindowSet windows;

        province(windows.domesticMenu(), 0)->actions().at(0)->trigger();
        QVERIFY(urls.urls.isEmpty());
        QCOMPARE(messages.texts(), QStringList{u"此报纸的链接不是网址，无法打开！"_qs});
    }

    // No browser and no handler (the offscreen platform has none): the box
    // names the address instead of nothing happening.
    void aWebAddressTheDesktopCannotOpenIsNamed()
    {
        TestCatalogue catalogue;
        catalogue.add(domestic, u"某地"_qs, u"某报"_qs, u"http://paper.example/"_qs);
        MessageCapture messages;
        WindowSet windows;

        province(windows.domesticMenu(), 0)->actions().at(0)->trigger();
        QCOMPARE(messages.texts(),
                 QStringList{
                     u"无法打开网址 http://paper.example/，请检查系统是否已设置默认浏览器！"_qs});
    }

    void deletedOrNullAddressOpensNothing()
    {
        TestCatalogue catalogue;
        catalogue.add(domestic, u"某地"_qs, u"已删"_qs, u"http://a.example/"_qs);
        catalogue.add(domestic, u"某地"_qs, u"空址"_qs, std::nullopt);
        MessageCapture messages;
        UrlCapture urls;
        WindowSet windows;
        catalogue.exec(u"delete from pinternal where pname='已删'"_qs);

        province(windows.domesticMenu(), 0)->actions().at(0)->trigger();
        QVERIFY(messages.messages.isEmpty());
        province(windows.domesticMenu(), 0)->actions().at(1)->trigger();
        QCOMPARE(messages.texts(), QStringList{notFound});
        QVERIFY(urls.urls.isEmpty());
    }

    void missingFileGivesEmptyMenusAndTwoErrorsInOrder()
    {
        TestCatalogue catalogue;
        catalogue.removeFile();
        MessageCapture messages;
        WindowSet windows;

        QVERIFY(windows.domesticMenu()->actions().isEmpty());
        QVERIFY(windows.foreignMenu()->actions().isEmpty());
        const QString error = u"Could not find file '%1'"_qs.arg(catalogue.path());
        QCOMPARE(messages.texts(), (QStringList{error, error}));
        QCOMPARE(messages.messages.at(0).caption, u"KelvaneV1.0"_qs);
        QVERIFY(!QFile::exists(catalogue.path()));
    }

    void secondaryWindowsDisableAndEnableTheMainWindow()
    {
        TestCatalogue catalogue;
        MessageCapture messages;
        WindowSet windows;
        MainForm->show();

        MainForm->N8Click();
        QVERIFY(StatisticForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        MainForm->N5Click();
        QVERIFY(AboutForm->isVisible());
        AboutForm->close();
        QVERIFY(!AboutForm->isVisible());
        QVERIFY(MainForm->isEnabled()); // nothing counts the open windows
        QVERIFY(StatisticForm->isVisible());

        MainForm->N6Click();
        QCOMPARE(messages.texts().last(), u"设置完毕后请重新启动程序，设置才能生效！"_qs);
        QVERIFY(SetForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        SetForm->close();
        QVERIFY(MainForm->isEnabled());
    }

    void windowsHaveTheirCaptionsAndSizes()
    {
        TestCatalogue catalogue;
        MessageCapture messages;
        WindowSet windows;
        QCOMPARE(AboutForm->windowTitle(), u"关于..."_qs);
        QCOMPARE(SetForm->windowTitle(), u"报纸设置窗口"_qs);
        QCOMPARE(StatisticForm->windowTitle(), u"报纸统计"_qs);
        QCOMPARE(AboutForm->size(), QSize(348, 166));
        QCOMPARE(SetForm->size(), QSize(387, 453));
        QCOMPARE(StatisticForm->size(), QSize(287, 135));
        QCOMPARE(MainForm->centralWidget()->size(), QSize(272, 6));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
