#include "forms/mainfrm.h"
#include "platform/application.h"
#include "urlcapture.h"
#include "useractions.h"
#include "windowset.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// Opens a menu as the user would and closes it again.
QStringList openAndRead(QMenu *menu)
{
    menu->popup(QPoint(10, 10));
    const QStringList shown = captions(menu);
    menu->hide();
    return shown;
}

QMenu *menuNamed(const char *name)
{
    return MainForm->findChild<QMenu *>(QLatin1String(name));
}

} // namespace

// The program's real menus in a Chinese locale: captions marked as they open.
class TestMenuAccelerators : public WindowSetTest
{
    Q_OBJECT

private slots:
    void fixedMenusAreMarkedWhenTheyOpen()
    {
        openWindows();
        auto *bar = MainForm->findChild<QMenuBar *>(u"MainMenu1"_qs);
        QCOMPARE(captions(bar), (QStringList{u"国内报纸(&W)"_qs, u"国外报纸(&X)"_qs, u"工具(&Y)"_qs,
                                             u"帮助(&Z)"_qs}));
        QCOMPARE(openAndRead(menuNamed("N3")),
                 (QStringList{u"设置(&X)..."_qs, u"去除任务栏图标(&Y)"_qs, u"报纸统计(&Z)..."_qs}));
        QCOMPARE(openAndRead(menuNamed("N4")), QStringList{u"关于(&Z)..."_qs});
        QCOMPARE(openAndRead(MainForm->PopupMenu1),
                 (QStringList{u"关于(&Y)..."_qs, u"退出(&Z)"_qs}));
    }

    void papersAreMarkedOnlyWhenTheirProvinceOpens()
    {
        catalogue().add(domestic, u"北京"_qs, u"21世纪经济报道"_qs, u"http://a.example/"_qs);
        catalogue().add(domestic, u"北京"_qs, u"参考消息(北京)"_qs, u"http://b.example/"_qs);
        catalogue().add(foreign, u"美国"_qs, u"USA Today"_qs, u"https://usatoday.com/"_qs);
        catalogue().add(foreign, u"美国"_qs, u"US Weekly"_qs, u"https://usmagazine.com/"_qs);
        UrlCapture urls;
        openWindows();

        QMenu *beijing = menuNamed("N1")->actions().at(0)->menu();
        QCOMPARE(captions(beijing), (QStringList{u"21世纪经济报道"_qs, u"参考消息(北京)"_qs}));
        openAndRead(menuNamed("N1"));
        QCOMPARE(openAndRead(beijing),
                 (QStringList{u"21世纪经济报道(&2)"_qs, u"参考消息(北京)(&Z)"_qs}));
        QMenu *usa = menuNamed("N2")->actions().at(0)->menu();
        openAndRead(menuNamed("N2"));
        // Not a far-east caption: "&" goes inside; the second "U" is taken.
        QCOMPARE(openAndRead(usa), (QStringList{u"&USA Today"_qs, u"U&S Weekly"_qs}));

        // Marked captions still open their own papers.
        triggerAction(beijing->actions().at(1));
        triggerAction(usa->actions().at(1));
        QCOMPARE(urls.urls,
                 (QList<QUrl>{QUrl(u"http://b.example/"_qs), QUrl(u"https://usmagazine.com/"_qs)}));
        QVERIFY(messages().messages.isEmpty());
    }

    void reopenedLevelKeepsItsCaptions()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://a.example/"_qs);
        catalogue().add(domestic, u"北京"_qs, u"China Daily"_qs, u"http://b.example/"_qs);
        openWindows();
        openAndRead(menuNamed("N1"));
        QMenu *beijing = menuNamed("N1")->actions().at(0)->menu();
        const QStringList marked{u"人民日报(&Z)"_qs, u"&China Daily"_qs};
        QCOMPARE(openAndRead(beijing), marked);
        QCOMPARE(openAndRead(beijing), marked);

        // A level whose items changed is passed again, as on its first opening: a caption
        // written anew, an item added while hidden, then shown.
        beijing->actions().at(0)->setText(u"人民日报"_qs);
        beijing->addAction(u"Daily Mirror"_qs)->setVisible(false);
        QCOMPARE(openAndRead(beijing),
                 (QStringList{u"人民日报(&Z)"_qs, u"&China Daily"_qs, u"Daily Mirror"_qs}));
        beijing->actions().at(2)->setVisible(true);
        QCOMPARE(openAndRead(beijing),
                 (QStringList{u"人民日报(&Z)"_qs, u"&China Daily"_qs, u"&Daily Mirror"_qs}));
    }

    void altKeyOpensTheMarkedMenu()
    {
        catalogue().add(domestic, u"北京"_qs, u"人民日报"_qs, u"http://a.example/"_qs);
        openWindows(Shown::MainWindow);
        MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
        QTest::keyClick(MainForm, Qt::Key_W, Qt::AltModifier);
        QTRY_VERIFY(menuNamed("N1")->isVisible());
        menuNamed("N1")->hide();
    }
};

int main(int argc, char **argv)
{
    // The menus take the far-east form on a Chinese system.
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANG", "zh_CN.UTF-8");
    Application app(argc, argv);
    TestMenuAccelerators test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_menuaccelerators.moc"
