#include "find/usagerecord.h"
#include "forms/findfrm.h"
#include "forms/mainfrm.h"
#include "maintenancewindow.h"
#include "urlcapture.h"
#include "useractions.h"
#include "windowset.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

namespace {

// The papers every test starts from, with the half each is in.
struct Paper
{
    QString table, province, name, address;
};
const QList<Paper> papers{
    {domestic, u"北京"_qs, u"人民日报"_qs, u"http://www.people.com.cn/"_qs},
    {domestic, u"上海"_qs, u"解放日报"_qs, u"https://www.jfdaily.com/"_qs},
    {domestic, u"北京"_qs, u"北京日报"_qs, u"https://www.bjd.com.cn/"_qs},
    {domestic, u"广东"_qs, u"南方日报"_qs, u"http://www.nfnews.com/"_qs},
    {foreign, u"英国"_qs, u"The Guardian"_qs, u"https://www.theguardian.com/"_qs},
    {foreign, u"法国"_qs, u"Le Monde"_qs, u"https://www.lemonde.fr/"_qs},
};

void seed(TestCatalogue &catalogue)
{
    for (const Paper &paper : papers)
        catalogue.add(paper.table, paper.province, paper.name, paper.address);
}

QString addressOf(const QString &name)
{
    const auto found = std::find_if(papers.cbegin(), papers.cend(),
                                    [&](const Paper &paper) { return paper.name == name; });
    return found == papers.cend() ? QString() : found->address;
}

QLineEdit *findEdit()
{
    return findWindow()->findChild<QLineEdit *>(u"findEdit"_qs);
}

QTreeWidget *resultList()
{
    return findWindow()->findChild<QTreeWidget *>(u"resultList"_qs);
}

// The papers listed, in the list's order.
QStringList listed()
{
    QStringList names;
    for (int i = 0; i < resultList()->topLevelItemCount(); ++i)
        names.append(resultList()->topLevelItem(i)->text(0));
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QString chosen()
{
    const QTreeWidgetItem *item = resultList()->currentItem();
    return item ? item->text(0) : QString();
}

// A domestic paper's item in the main window's menus.
QAction *menuItem(const QString &name)
{
    for (const QAction *province : MainForm->findChild<QMenu *>(u"N1"_qs)->actions())
        for (QAction *paper : province->menu()->actions())
            if (paper->text() == name)
                return paper;
    return nullptr;
}

int timesOpened(bool domestic, const QString &name)
{
    return find::UsageRecord(find::UsageRecord::defaultPath()).usageOf(domestic, name).count;
}

const QRegularExpression recordWarning(u"usage record .* is ignored"_qs);

} // namespace

// The find window, driven through its line and keys, and the ways the main
// window and the tray icon open it.
class TestFindForm : public WindowSetTest
{
    Q_OBJECT

    // Ctrl+F in the main window, as the user presses it.
    static void pressCtrlF()
    {
        MainForm->show();
        MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
        QTest::keyClick(MainForm, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(findWindow() && findWindow()->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(findWindow()));
    }

    // Opens the window, types the text and presses Enter.
    static void findAndOpen(const QString &text)
    {
        triggerAction(u"FindAction"_qs);
        typeInto(findEdit(), text);
        QTest::keyClick(findEdit(), Qt::Key_Return);
    }

private slots:
    void listsWhatIsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("name or province")
            << u"北京"_qs << QStringList{u"人民日报"_qs, u"北京日报"_qs};
        QTest::newRow("part of names")
            << u"日报"_qs
            << QStringList{u"人民日报"_qs, u"北京日报"_qs, u"南方日报"_qs, u"解放日报"_qs};
        QTest::newRow("two terms") << u"北京 人民"_qs << QStringList{u"人民日报"_qs};
        QTest::newRow("Latin name, any case") << u"guardian"_qs << QStringList{u"The Guardian"_qs};
        QTest::newRow("host") << u"lemonde.fr"_qs << QStringList{u"Le Monde"_qs};
        QTest::newRow("country") << u"英国"_qs << QStringList{u"The Guardian"_qs};
        QTest::newRow("nothing") << u"无此报纸"_qs << QStringList{};
    }

    void listsWhatIsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        seed(catalogue());
        openWindows();
        QVERIFY(!findWindow()); // nothing of it is made or read at start-up
        triggerAction(u"FindAction"_qs);
        QCOMPARE(findWindow()->windowTitle(), u"找报纸"_qs);

        typeInto(findEdit(), typed);
        QCOMPARE(sorted(listed()), sorted(found));
        QCOMPARE(chosen(), listed().value(0));
    }

    void rowShowsNameProvinceAndHost()
    {
        seed(catalogue());
        openWindows();
        triggerAction(u"FindAction"_qs);
        typeInto(findEdit(), u"人民"_qs);
        QCOMPARE(resultList()->topLevelItemCount(), 1);
        const QTreeWidgetItem *row = resultList()->topLevelItem(0);
        QCOMPARE((QStringList{row->text(0), row->text(1), row->text(2)}),
                 (QStringList{u"人民日报"_qs, u"北京"_qs, u"www.people.com.cn"_qs}));
    }

    void keysMoveWhileTheFocusStaysInTheLine()
    {
        seed(catalogue());
        UrlCapture urls;
        openWindows(Shown::MainWindow);
        pressCtrlF();
        typeInto(findEdit(), u"日报"_qs);
        const QStringList rows = listed();
        QCOMPARE(rows.size(), 4);

        QTest::keyClick(findEdit(), Qt::Key_Down);
        QCOMPARE(chosen(), rows.at(1));
        QTest::keyClick(findEdit(), Qt::Key_Down);
        QTest::keyClick(findEdit(), Qt::Key_Up);
        QCOMPARE(chosen(), rows.at(1));
        QTest::keyClick(findEdit(), Qt::Key_PageDown);
        QCOMPARE(chosen(), rows.at(3));
        QTest::keyClick(findEdit(), Qt::Key_PageUp);
        QCOMPARE(chosen(), rows.at(0));
        QTest::keyClick(findEdit(), Qt::Key_Down);
        QVERIFY(findEdit()->hasFocus());
        QCOMPARE(findEdit()->text(), u"日报"_qs); // the keys typed nothing

        QTest::keyClick(findEdit(), Qt::Key_Return);
        QCOMPARE(urls.urls, QList{QUrl(addressOf(rows.at(1)))});
        QVERIFY(!findWindow()->isVisible());
        QCOMPARE(timesOpened(true, rows.at(1)), 1);
        QVERIFY(messages().messages.isEmpty());
    }

    void escapeOrAnotherWindowHidesIt()
    {
        seed(catalogue());
        openWindows(Shown::MainWindow);
        pressCtrlF();
        QVERIFY(MainForm->isEnabled()); // none of the window set: nothing is disabled
        QVERIFY(MainForm->isVisible());
        QTest::keyClick(findEdit(), Qt::Key_Escape);
        QVERIFY(!findWindow()->isVisible());

        pressCtrlF();
        MainForm->activateWindow();
        QTRY_VERIFY(!findWindow()->isVisible());
        QVERIFY(MainForm->isEnabled());
    }

    void middleClickShowsItAndLeavesTheMainWindowAsItWas()
    {
        seed(catalogue());
        openWindows();
        emit MainForm->TrayIcon->activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(findWindow() && findWindow()->isVisible());
        QVERIFY(!MainForm->isVisible());
        QVERIFY(MainForm->isEnabled());
        QCOMPARE(findEdit()->text(), QString());
    }

    void opensWithItsTextSelectedOnThePointersScreen()
    {
        seed(catalogue());
        openWindows();
        showFindWindow(u"南方"_qs); // as a hand-over from `kelvane --find 南方` does
        QCOMPARE(findEdit()->selectedText(), u"南方"_qs);
        QCOMPARE(listed(), QStringList{u"南方日报"_qs});
        const QRect screen = QGuiApplication::screenAt(QCursor::pos())->availableGeometry();
        const QPoint off = findWindow()->frameGeometry().center() - screen.center();
        QVERIFY2(off.manhattanLength() <= 4, qPrintable(u"%1,%2"_qs.arg(off.x()).arg(off.y())));
    }

    void emptyLineListsTheMostOpened()
    {
        seed(catalogue());
        UrlCapture urls;
        const QStringList tables =
            catalogue().column(u"select name from sqlite_master order by name"_qs);
        openWindows();
        triggerAction(u"FindAction"_qs);
        QCOMPARE(listed(), QStringList{}); // nothing opened yet

        findAndOpen(u"解放"_qs);
        findAndOpen(u"Le Monde"_qs);
        findAndOpen(u"解放"_qs);
        triggerAction(menuItem(u"人民日报"_qs)); // the menus count too
        triggerAction(u"FindAction"_qs);
        QCOMPARE(listed(), (QStringList{u"解放日报"_qs, u"人民日报"_qs, u"Le Monde"_qs}));

        triggerAction(menuItem(u"人民日报"_qs));
        triggerAction(menuItem(u"人民日报"_qs));
        triggerAction(u"FindAction"_qs);
        QCOMPARE(listed().value(0), u"人民日报"_qs);
        QCOMPARE(urls.urls.size(), 6);
        // The record lives in a file of its own: the catalogue keeps its tables.
        QCOMPARE(catalogue().column(u"select name from sqlite_master order by name"_qs), tables);
        QVERIFY(QFile::exists(find::UsageRecord::defaultPath()));
    }

    void paperAddedInTheMaintenanceWindowIsFoundAtTheNextFind()
    {
        seed(catalogue());
        openWindows(Shown::MainWindow);
        triggerAction(u"FindAction"_qs);
        typeInto(findEdit(), u"南方都市"_qs);
        QCOMPARE(listed(), QStringList{});
        QTest::keyClick(findEdit(), Qt::Key_Escape);

        const MaintenanceWindow window = openMaintenanceWindow();
        window.fillNewPaper(
            {u"南方都市报"_qs, u"https://www.oeeee.com/"_qs, u"国内"_qs, u"广东"_qs, {}});
        window.press(1);
        QCOMPARE(messages().texts(), QStringList{added});
        SetForm->close();

        triggerAction(u"FindAction"_qs);
        typeInto(findEdit(), u"南方都市"_qs);
        QCOMPARE(listed(), QStringList{u"南方都市报"_qs});
        QCOMPARE(resultList()->topLevelItem(0)->text(2), u"www.oeeee.com"_qs);
    }

    void damagedRecordIsIgnoredAndThePaperStillOpens_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("not JSON") << QByteArray("{\"version\": 1, \"papers\": [");
        QTest::newRow("another program's") << QByteArray("<html>usage</html>");
    }

    void damagedRecordIsIgnoredAndThePaperStillOpens()
    {
        QFETCH(QByteArray, record);
        seed(catalogue());
        QVERIFY(QDir().mkpath(QFileInfo(find::UsageRecord::defaultPath()).path()));
        QFile file(find::UsageRecord::defaultPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record);
        file.close();
        UrlCapture urls;
        openWindows();

        QTest::ignoreMessage(QtWarningMsg, recordWarning);
        QTest::failOnWarning(recordWarning); // one warning, not one per paper
        triggerAction(u"FindAction"_qs);
        QCOMPARE(listed(), QStringList{});
        findAndOpen(u"人民"_qs);
        findAndOpen(u"人民"_qs);
        QCOMPARE(urls.urls,
                 (QList{QUrl(addressOf(u"人民日报"_qs)), QUrl(addressOf(u"人民日报"_qs))}));
        QVERIFY(messages().messages.isEmpty());
    }
};

QTEST_MAIN(TestFindForm)
#include "tst_findform.moc"
