#include "forms/aboutfrm.h"
#include "forms/mainfrm.h"
#include "forms/newspapermenus.h"
#include "forms/setfrm.h"
#include "forms/statisticfrm.h"
#include "urlcapture.h"
#include "useractions.h"
#include "windowset.h"

#include <QMenu>
#include <QTest>

namespace {

QMenu *province(const QMenu *top, int index)
{
    return top->actions().at(index)->menu();
}

} // namespace

class TestMainForm : public WindowSetTest
{
    Q_OBJECT

    static QMenu *domesticMenu() { return MainForm->findChild<QMenu *>(u"N1"_qs); }
    static QMenu *foreignMenu() { return MainForm->findChild<QMenu *>(u"N2"_qs); }

private slots:
    void buildsMenusInTheEnginesOrder()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
        catalogue().add(domestic, u"上海"_qs, u"解放日报"_qs, u"https://www.jfdaily.com/"_qs);
        catalogue().add(domestic, u"北京"_qs, u"北京日报"_qs, u"https://www.bjd.com.cn/"_qs);
        catalogue().add(domestic, u""_qs, u"无省报"_qs, u"http://example.org/"_qs);
        openWindows();

        // The engine's order is kept, which is the order the rows were stored
        // in: the province index leaves out rows without one, so the engine
        // reads the table rather than the sorted index.
        const QStringList engineOrder =
            catalogue().column(u"select distinct pcity from pinternal"_qs);
        QCOMPARE(engineOrder, (QStringList{u"北京"_qs, u"上海"_qs, u""_qs}));
        QCOMPARE(captions(domesticMenu()), engineOrder);
        QCOMPARE(captions(province(domesticMenu(), 0)),
                 (QStringList{u"人民日报"_qs, u"北京日报"_qs}));
        QCOMPARE(captions(province(domesticMenu(), 2)), QStringList{u"无省报"_qs});
        QVERIFY(foreignMenu()->actions().isEmpty());
        QVERIFY(messages().messages.isEmpty());
        QCOMPARE(MainForm->windowTitle(), u"KelvaneV1.0"_qs);
    }

    void nullProvinceStopsTheBuild()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs);
        catalogue().add(domestic, std::nullopt, u"无名"_qs, u"http://example.org/"_qs);
        catalogue().add(foreign, u"美国"_qs, u"The New York Times"_qs, u"https://nytimes.com/"_qs);
        openWindows();

        QCOMPARE(captions(domesticMenu()), QStringList{u"北京"_qs});
        QVERIFY(province(domesticMenu(), 0)->actions().isEmpty());
        QVERIFY(foreignMenu()->actions().isEmpty());
        QCOMPARE(messages().texts(), QStringList{nullField});
    }

    void nullNameLeavesEarlierPapersWithoutHandlers()
    {
        catalogue().add(domestic, u"广东"_qs, u"南方日报"_qs, u"http://www.nfnews.com/"_qs);
        catalogue().add(domestic, u"广东"_qs, std::nullopt, u"http://example.org/"_qs);
        catalogue().add(domestic, u"湖南"_qs, u"湖南日报"_qs, u"https://www.hnrb.net/"_qs);
        UrlCapture urls;
        openWindows();

        QCOMPARE(captions(province(domesticMenu(), 0)), QStringList{u"南方日报"_qs});
        triggerAction(province(domesticMenu(), 0)->actions().at(0));
        QVERIFY(urls.urls.isEmpty()); // the item was never given its handler
        QVERIFY(province(domesticMenu(), 1)->actions().isEmpty());
        QCOMPARE(messages().texts(), QStringList{nullField});
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
        catalogue().add(table, u"某地"_qs, u"pname"_qs, u"https://wrong.example/"_qs);
        catalogue().add(table, u"某地"_qs, name, address);
        UrlCapture urls;
        openWindows();
        QMenu *top = table == domestic ? domesticMenu() : foreignMenu();

        QAction *paper = province(top, 0)->actions().at(1);
        QCOMPARE(paper->text(), newspapermenus::literalCaption(name));
        triggerAction(paper);
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(opened)});
        QVERIFY(messages().messages.isEmpty());
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
        catalogue().add(domestic, u"某地"_qs, u"怪报"_qs, address);
        UrlCapture urls;
        openWindows();

        triggerAction(province(domesticMenu(), 0)->actions().at(0));
        QVERIFY(urls.urls.isEmpty());
        QCOMPARE(messages().texts(), QStringList{u"此报纸的链接不是网址，无法打开！"_qs});
    }

    // No browser and no handler (the fixture's desktop has none): the box
    // names the address instead of nothing happening.
    void aWebAddressTheDesktopCannotOpenIsNamed()
    {
        catalogue().add(domestic, u"某地"_qs, u"某报"_qs, u"http://paper.example/"_qs);
        openWindows();

        triggerAction(province(domesticMenu(), 0)->actions().at(0));
        QCOMPARE(messages().texts(),
                 QStringList{
                     u"无法打开网址 http://paper.example/，请检查系统是否已设置默认浏览器！"_qs});
    }

    void deletedOrNullAddressOpensNothing()
    {
        catalogue().add(domestic, u"某地"_qs, u"已删"_qs, u"http://a.example/"_qs);
        catalogue().add(domestic, u"某地"_qs, u"空址"_qs, std::nullopt);
        UrlCapture urls;
        openWindows();
        catalogue().exec(u"delete from pinternal where pname='已删'"_qs);

        triggerAction(province(domesticMenu(), 0)->actions().at(0));
        QVERIFY(messages().messages.isEmpty());
        triggerAction(province(domesticMenu(), 0)->actions().at(1));
        QCOMPARE(messages().texts(), QStringList{nullField});
        QVERIFY(urls.urls.isEmpty());
    }

    void missingFileGivesEmptyMenusAndTwoErrorsInOrder()
    {
        catalogue().removeFile();
        openWindows();

        QVERIFY(domesticMenu()->actions().isEmpty());
        QVERIFY(foreignMenu()->actions().isEmpty());
        const QString error = u"Could not find file '%1'"_qs.arg(catalogue().path());
        QCOMPARE(messages().texts(), (QStringList{error, error}));
        QCOMPARE(messages().messages.at(0).caption, u"KelvaneV1.0"_qs);
        QVERIFY(!QFile::exists(catalogue().path()));
    }

    void secondaryWindowsDisableAndEnableTheMainWindow()
    {
        openWindows(Shown::MainWindow);

        triggerAction(u"N8"_qs);
        QVERIFY(StatisticForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        triggerAction(u"N9"_qs);
        QVERIFY(AboutForm->isVisible());
        AboutForm->close();
        QVERIFY(!AboutForm->isVisible());
        QVERIFY(MainForm->isEnabled()); // nothing counts the open windows
        QVERIFY(StatisticForm->isVisible());

        triggerAction(u"N6"_qs);
        QCOMPARE(messages().texts().last(), u"设置完毕后请重新启动程序，设置才能生效！"_qs);
        QVERIFY(SetForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        SetForm->close();
        QVERIFY(MainForm->isEnabled());
    }

    void windowsHaveTheirCaptionsAndSizes()
    {
        openWindows();
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
