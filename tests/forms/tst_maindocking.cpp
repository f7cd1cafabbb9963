#include "forms/aboutfrm.h"
#include "forms/mainfrm.h"
#include "platform/edgestrip.h"
#include "platform/trayhost.h"
#include "useractions.h"
#include "windowset.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// A position worked out from the screen's size and the window frame's.
using Place = std::function<QPoint(QSize screen, QSize frame)>;

// Runs the message loop until the program ends it or `limitMs` passes; the
// loop's exit code, or -1 when the program did not end it.
int runLoop(int limitMs)
{
    QTimer::singleShot(limitMs, qApp, [] { QCoreApplication::exit(-1); });
    return QCoreApplication::exec();
}

// A window whose window manager keeps part of it on the screen: a move that
// would take it off the left edge is answered with one that leaves 20 pixels.
class KeptOnScreenWindow : public QWidget
{
protected:
    void moveEvent(QMoveEvent *event) override
    {
        QWidget::moveEvent(event);
        if (pos().x() < 20 - width())
            QTimer::singleShot(0, this, [this] { move(20 - width(), pos().y()); });
    }
};

QWidget *edgeStripWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == u"EdgeStrip"_qs)
            return window;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Place)

class TestMainDocking : public WindowSetTest
{
    Q_OBJECT

    static QSize screen() { return QGuiApplication::primaryScreen()->geometry().size(); }
    static QSize frame() { return MainForm->frameGeometry().size(); }
    static QPoint at(const Place &place) { return place(screen(), frame()); }
    static QPoint awayFromEdges() { return QPoint(screen().width() / 2, screen().height() / 2); }
    static QAction *popupItem(const QString &text)
    {
        for (QAction *item : MainForm->PopupMenu1->actions())
            if (item->text() == text)
                return item;
        return nullptr;
    }

    // The main window on the screen, with or without a tray host on the desktop.
    void showWindows(bool trayHost = true)
    {
        openWindows(Shown::MainWindow, trayHost);
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }

private slots:
    void timerRunsExactlyWhileDocked()
    {
        showWindows();
        QVERIFY(!MainForm->Timer1.isActive());
        QCOMPARE(MainForm->Timer1.interval(), 200);

        MainForm->move(-50, 100);
        QCOMPARE(MainForm->pos(), QPoint(0, 100));
        QCOMPARE(MainForm->FDockEdges, Qt::Edges(Qt::LeftEdge));
        QVERIFY(MainForm->Timer1.isActive());

        MainForm->move(100, 100);
        QCOMPARE(MainForm->FDockEdges, Qt::Edges());
        QVERIFY(!MainForm->Timer1.isActive());

        MainForm->move(screen().width(), 100);
        QCOMPARE(MainForm->pos().x(), screen().width() - frame().width());
        QCOMPARE(MainForm->FDockEdges, Qt::Edges(Qt::RightEdge));
        QVERIFY(MainForm->Timer1.isActive());
    }

    void dockedWindowSlidesOutAndBack_data()
    {
        QTest::addColumn<Place>("dragTo");
        QTest::addColumn<Qt::Edges>("edges");
        QTest::addColumn<Place>("shown");
        QTest::addColumn<Place>("slidOut");
        QTest::addColumn<Place>("onStrip");
        QTest::newRow("left") << Place([](QSize, QSize) { return QPoint(-50, 200); })
                              << Qt::Edges(Qt::LeftEdge)
                              << Place([](QSize, QSize) { return QPoint(0, 200); })
                              << Place([](QSize, QSize f) { return QPoint(2 - f.width(), 200); })
                              << Place([](QSize, QSize f) {
                                     return QPoint(1, 200 + f.height() / 2);
                                 });
        QTest::newRow("right") << Place([](QSize s, QSize) { return QPoint(s.width() + 10, 200); })
                               << Qt::Edges(Qt::RightEdge) << Place([](QSize s, QSize f) {
                                      return QPoint(s.width() - f.width(), 200);
                                  })
                               << Place([](QSize s, QSize) { return QPoint(s.width() - 2, 200); })
                               << Place([](QSize s, QSize f) {
                                      return QPoint(s.width() - 1, 200 + f.height() / 2);
                                  });
        QTest::newRow("top") << Place([](QSize, QSize) { return QPoint(200, -30); })
                             << Qt::Edges(Qt::TopEdge)
                             << Place([](QSize, QSize) { return QPoint(200, 0); })
                             << Place([](QSize, QSize f) { return QPoint(200, 2 - f.height()); })
                             << Place(
                                    [](QSize, QSize f) { return QPoint(200 + f.width() / 2, 0); });
        QTest::newRow("bottom")
            << Place([](QSize s, QSize) { return QPoint(200, s.height() + 10); })
            << Qt::Edges(Qt::BottomEdge)
            << Place([](QSize s, QSize f) { return QPoint(200, s.height() - f.height()); })
            << Place([](QSize s, QSize) { return QPoint(200, s.height() - 2); })
            << Place([](QSize s, QSize f) { return QPoint(200 + f.width() / 2, s.height() - 1); });
        QTest::newRow("top-left corner slides sideways")
            << Place([](QSize, QSize) { return QPoint(-10, -10); }) << Qt::Edges(Qt::LeftEdge)
            << Place([](QSize, QSize) { return QPoint(0, 0); })
            << Place([](QSize, QSize f) { return QPoint(2 - f.width(), 0); })
            << Place([](QSize, QSize f) { return QPoint(0, f.height() / 2); });
    }
    void dockedWindowSlidesOutAndBack()
    {
        QFETCH(Place, dragTo);
        QFETCH(Qt::Edges, edges);
        QFETCH(Place, shown);
        QFETCH(Place, slidOut);
        QFETCH(Place, onStrip);
        showWindows();
        MainForm->move(at(dragTo));
        QCOMPARE(MainForm->FDockEdges, edges);
        QCOMPARE(MainForm->pos(), at(shown));

        QCursor::setPos(awayFromEdges());
        QTRY_COMPARE_WITH_TIMEOUT(MainForm->pos(), at(slidOut), 1000);
        // The program's own moves leave the dock edges as the drag set them.
        QCOMPARE(MainForm->FDockEdges, edges);
        QVERIFY(MainForm->Timer1.isActive());

        QCursor::setPos(at(onStrip));
        QTRY_COMPARE_WITH_TIMEOUT(MainForm->pos(), at(shown), 1000);
        QCOMPARE(MainForm->FDockEdges, edges);
    }

    void pointerOverTheWindowKeepsItShown()
    {
        showWindows();
        MainForm->move(-50, 200);
        QCursor::setPos(MainForm->frameGeometry().center());
        QTest::qWait(500);
        QCOMPARE(MainForm->pos(), QPoint(0, 200));
    }

    void openDropDownMenuDoesNotCountAsTheWindow()
    {
        showWindows();
        MainForm->move(-50, 200);
        auto *tools = MainForm->findChild<QMenu *>(u"N3"_qs);
        const QPoint overWindow = MainForm->frameGeometry().center();
        QCursor::setPos(overWindow);
        tools->popup(overWindow - QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(tools));
        QTRY_COMPARE_WITH_TIMEOUT(MainForm->pos(), QPoint(2 - frame().width(), 200), 1000);
        tools->close();
    }

    void closingHidesToTheTrayAndKeepsTheProgram()
    {
        showWindows();
        QCOMPARE(MainForm->TrayIcon->toolTip(), u"Kelvane"_qs);
        QVERIFY(MainForm->TrayIcon->isVisible());
        QVERIFY(!MainForm->close());
        QVERIFY(MainForm->isHidden());
        QVERIFY(MainForm->TrayIcon->isVisible());

        // The About box from the icon's menu over the hidden window: closing
        // it enables the main window, which stays hidden, and the program goes on.
        triggerAction(popupItem(u"关于..."_qs));
        QVERIFY(AboutForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        QTimer::singleShot(0, AboutForm, [] { AboutForm->close(); });
        QCOMPARE(runLoop(300), -1);
        QVERIFY(AboutForm->isHidden());
        QVERIFY(MainForm->isEnabled());
        QVERIFY(MainForm->isHidden());

        // A left click on the icon brings the window back where it was.
        const QPoint before = MainForm->pos();
        emit MainForm->TrayIcon->activated(QSystemTrayIcon::Trigger);
        QVERIFY(MainForm->isVisible());
        QCOMPARE(MainForm->pos(), before);
    }

    void dockedWindowHiddenToTheTrayStaysSlidOut()
    {
        showWindows();
        MainForm->move(-50, 200);
        MainForm->close();
        QCursor::setPos(awayFromEdges());
        const QPoint slidOut(2 - frame().width(), 200);
        QTRY_COMPARE_WITH_TIMEOUT(MainForm->pos(), slidOut, 1000);
        emit MainForm->TrayIcon->activated(QSystemTrayIcon::Trigger);
        QVERIFY(MainForm->isVisible());
        QCOMPARE(MainForm->pos(), slidOut);
    }

    void rightClickOnTheIconPopsUpTheMenuAtThePointer()
    {
        showWindows();
        QCursor::setPos(300, 300);
        emit MainForm->TrayIcon->activated(QSystemTrayIcon::Context);
        QVERIFY(MainForm->PopupMenu1->isVisible());
        QCOMPARE(MainForm->PopupMenu1->pos(), QPoint(300, 300));
        QCOMPARE(captions(MainForm->PopupMenu1), (QStringList{u"关于..."_qs, u"退出"_qs}));
        MainForm->PopupMenu1->close();
    }

    void exitEndsTheProgramWithASecondaryWindowOpen()
    {
        showWindows();
        triggerAction(popupItem(u"关于..."_qs));
        QTimer::singleShot(0, MainForm, [] { triggerAction(popupItem(u"退出"_qs)); });
        QCOMPARE(runLoop(2000), 0);
        QVERIFY(!MainForm->TrayIcon->isVisible());
        // No close handler ran: the About box is still up and the main
        // window still disabled.
        QVERIFY(AboutForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
    }

    void withoutATrayHostClosingMinimises()
    {
        showWindows(false);
        QVERIFY(!MainForm->close());
        QVERIFY(MainForm->isVisible());
        QVERIFY(MainForm->isMinimized());

        // A tray host that comes later takes the window.
        trayhost::setAvailabilityOverride(true);
        MainForm->showNormal();
        QCoreApplication::processEvents();
        MainForm->close();
        QVERIFY(MainForm->isHidden());

        // One that goes while the window is hidden to it gives it back.
        trayhost::setAvailabilityOverride(false);
        QTRY_VERIFY_WITH_TIMEOUT(MainForm->isVisible(), 2000);
        QVERIFY(MainForm->isMinimized());
    }

    void stripStandsInWhereTheWindowManagerKeepsWindowsOnScreen()
    {
        KeptOnScreenWindow window;
        window.setGeometry(0, 100, 200, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        EdgeStrip strip(&window);
        const QRect visiblePart(0, 100, 2, 40);

        // The first slide-out is asked of the window manager, which keeps the
        // window on the screen; the next tick finds it there.
        strip.slideOut(QPoint(-198, 100), visiblePart);
        QTRY_COMPARE(window.pos(), QPoint(-180, 100));
        QVERIFY(!strip.isStandingIn());
        strip.slideOut(QPoint(-198, 100), visiblePart);
        QVERIFY(strip.isStandingIn());
        QVERIFY(window.isHidden());
        QCOMPARE(edgeStripWindow()->geometry(), visiblePart);

        QCursor::setPos(1, 120);
        QVERIFY(strip.isUnderPointer());
        strip.place(QPoint(0, 100));
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), QPoint(0, 100));
        QVERIFY(!strip.isStandingIn());

        // From then on the strip stands in at once.
        strip.slideOut(QPoint(-198, 100), visiblePart);
        QVERIFY(strip.isStandingIn());
    }
};

int main(int argc, char **argv)
{
    // Windows without frame margins: the offscreen platform nudges a frame
    // that starts left of or above the screen by its margins, which would
    // make it a window manager that keeps windows on the screen.
    QTemporaryFile config;
    if (!config.open() ||
        config.write(R"({"windowFrameMargins": false, "screens": [{"name": "primary",
                 "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96,
                 "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestMainDocking test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_maindocking.moc"
