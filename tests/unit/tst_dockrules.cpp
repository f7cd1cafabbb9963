#include "forms/dockrules.h"

#include <QTest>

using dockrules::Bounds;

Q_DECLARE_METATYPE(Bounds)

namespace {
const QRect screen(0, 0, 1024, 768);
// A primary screen to the right of and below another monitor.
const QRect offsetScreen(1280, 200, 1024, 768);
const QSize bar(280, 50);
} // namespace

class TestDockRules : public QObject
{
    Q_OBJECT

private slots:
    void clampKeepsTheFrameOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("proposed");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<Bounds>("clamped");
        QTest::newRow("inside") << QPoint(100, 200) << bar << Bounds{100, 200, 380, 250};
        QTest::newRow("left -50") << QPoint(-50, 200) << bar << Bounds{0, 200, 280, 250};
        QTest::newRow("right beyond") << QPoint(900, 200) << bar << Bounds{744, 200, 1024, 250};
        QTest::newRow("above") << QPoint(100, -30) << bar << Bounds{100, 0, 380, 50};
        QTest::newRow("below") << QPoint(100, 760) << bar << Bounds{100, 718, 380, 768};
        QTest::newRow("second monitor right")
            << QPoint(1500, 300) << bar << Bounds{744, 300, 1024, 350};
        QTest::newRow("wider than screen")
            << QPoint(-10, 100) << QSize(1100, 50) << Bounds{-76, 100, 1024, 150};
    }
    void clampKeepsTheFrameOnTheScreen()
    {
        QFETCH(QPoint, proposed);
        QFETCH(QSize, frame);
        QFETCH(Bounds, clamped);
        QCOMPARE(dockrules::clamp(dockrules::boundsOf(proposed, frame), frame, screen), clamped);
    }

    void sideEdgesWinOverTopAndBottom_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<Qt::Edges>("edges");
        QTest::newRow("free") << QPoint(100, 200) << bar << Qt::Edges();
        QTest::newRow("left") << QPoint(0, 200) << bar << Qt::Edges(Qt::LeftEdge);
        QTest::newRow("right") << QPoint(744, 200) << bar << Qt::Edges(Qt::RightEdge);
        QTest::newRow("top") << QPoint(100, 0) << bar << Qt::Edges(Qt::TopEdge);
        QTest::newRow("bottom") << QPoint(100, 718) << bar << Qt::Edges(Qt::BottomEdge);
        QTest::newRow("top-left corner") << QPoint(0, 0) << bar << Qt::Edges(Qt::LeftEdge);
        QTest::newRow("bottom-right corner") << QPoint(744, 718) << bar << Qt::Edges(Qt::RightEdge);
        QTest::newRow("as wide as the screen")
            << QPoint(0, 0) << QSize(1024, 50) << (Qt::LeftEdge | Qt::RightEdge);
        QTest::newRow("as tall as the screen")
            << QPoint(100, 0) << QSize(280, 768) << (Qt::TopEdge | Qt::BottomEdge);
        QTest::newRow("one pixel off the left") << QPoint(1, 200) << bar << Qt::Edges();
    }
    void sideEdgesWinOverTopAndBottom()
    {
        QFETCH(QPoint, position);
        QFETCH(QSize, frame);
        QFETCH(Qt::Edges, edges);
        QCOMPARE(dockrules::dockEdges(dockrules::boundsOf(position, frame), screen), edges);
    }

    void dockedWindowShowsAndSlidesOut_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("shown");
        QTest::addColumn<QPoint>("slidOut");
        QTest::newRow("left") << QPoint(0, 200) << bar << QPoint(0, 200) << QPoint(-278, 200);
        QTest::newRow("top") << QPoint(100, 0) << bar << QPoint(100, 0) << QPoint(100, -48);
        QTest::newRow("right") << QPoint(744, 200) << bar << QPoint(744, 200) << QPoint(1022, 200);
        QTest::newRow("bottom") << QPoint(100, 718) << bar << QPoint(100, 718) << QPoint(100, 766);
        QTest::newRow("corner slides sideways")
            << QPoint(0, 0) << bar << QPoint(0, 0) << QPoint(-278, 0);
        // The right rule runs last.
        QTest::newRow("as wide as the screen")
            << QPoint(0, 100) << QSize(1024, 50) << QPoint(0, 100) << QPoint(1022, 100);
        // The bottom rule runs last.
        QTest::newRow("as tall as the screen")
            << QPoint(100, 0) << QSize(280, 768) << QPoint(100, 0) << QPoint(100, 766);
    }
    void dockedWindowShowsAndSlidesOut()
    {
        QFETCH(QPoint, position);
        QFETCH(QSize, frame);
        QFETCH(QPoint, shown);
        QFETCH(QPoint, slidOut);
        const Qt::Edges edges = dockrules::dockEdges(dockrules::boundsOf(position, frame), screen);
        const QPoint out = dockrules::slidOutPosition(position, frame, screen, edges);
        QCOMPARE(out, slidOut);
        QCOMPARE(dockrules::shownPosition(out, frame, screen, edges), shown);
    }

    void slidOutWindowLeavesAStripOnScreen_data()
    {
        QTest::addColumn<QPoint>("slidOut");
        QTest::addColumn<QRect>("strip");
        QTest::newRow("left") << QPoint(-278, 200) << QRect(0, 200, 2, 50);
        QTest::newRow("right") << QPoint(1022, 200) << QRect(1022, 200, 2, 50);
        QTest::newRow("top") << QPoint(100, -48) << QRect(100, 0, 280, 2);
        QTest::newRow("bottom") << QPoint(100, 766) << QRect(100, 766, 280, 2);
    }
    void slidOutWindowLeavesAStripOnScreen()
    {
        QFETCH(QPoint, slidOut);
        QFETCH(QRect, strip);
        QCOMPARE(dockrules::visiblePart(slidOut, bar, screen), strip);
    }

    // The same rules on a screen that does not start at (0, 0): a frame is
    // kept on it and docks to its edges, not to the desktop's.
    void rulesFollowAScreenAwayFromTheOrigin_data()
    {
        QTest::addColumn<QPoint>("proposed");
        QTest::addColumn<QPoint>("kept");
        QTest::addColumn<Qt::Edges>("edges");
        QTest::addColumn<QPoint>("slidOut");
        QTest::addColumn<QRect>("strip");
        QTest::newRow("free") << QPoint(1500, 400) << QPoint(1500, 400) << Qt::Edges()
                              << QPoint(1500, 400) << QRect(1500, 400, 280, 50);
        QTest::newRow("onto the other monitor")
            << QPoint(1000, 400) << QPoint(1280, 400) << Qt::Edges(Qt::LeftEdge)
            << QPoint(1002, 400) << QRect(1280, 400, 2, 50);
        QTest::newRow("above the screen")
            << QPoint(1500, 50) << QPoint(1500, 200) << Qt::Edges(Qt::TopEdge) << QPoint(1500, 152)
            << QRect(1500, 200, 280, 2);
        QTest::newRow("past the right")
            << QPoint(2200, 400) << QPoint(2024, 400) << Qt::Edges(Qt::RightEdge)
            << QPoint(2302, 400) << QRect(2302, 400, 2, 50);
        QTest::newRow("past the bottom")
            << QPoint(1500, 950) << QPoint(1500, 918) << Qt::Edges(Qt::BottomEdge)
            << QPoint(1500, 966) << QRect(1500, 966, 280, 2);
        QTest::newRow("at the desktop's origin")
            << QPoint(0, 0) << QPoint(1280, 200) << Qt::Edges(Qt::LeftEdge) << QPoint(1002, 200)
            << QRect(1280, 200, 2, 50);
    }
    void rulesFollowAScreenAwayFromTheOrigin()
    {
        QFETCH(QPoint, proposed);
        QFETCH(QPoint, kept);
        QFETCH(Qt::Edges, edges);
        QFETCH(QPoint, slidOut);
        QFETCH(QRect, strip);
        const Bounds clamped =
            dockrules::clamp(dockrules::boundsOf(proposed, bar), bar, offsetScreen);
        QCOMPARE(clamped, dockrules::boundsOf(kept, bar));
        QCOMPARE(dockrules::dockEdges(clamped, offsetScreen), edges);
        const QPoint out = dockrules::slidOutPosition(kept, bar, offsetScreen, edges);
        QCOMPARE(out, slidOut);
        QCOMPARE(dockrules::visiblePart(out, bar, offsetScreen), strip);
        QCOMPARE(dockrules::shownPosition(out, bar, offsetScreen, edges), kept);
    }
};

QTEST_APPLESS_MAIN(TestDockRules)
#include "tst_dockrules.moc"
