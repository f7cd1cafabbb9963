#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// Moves a docked window in and out of sight. A slid-out window leaves a strip
// of its frame 2 pixels wide on the screen. The window manager is asked for
// the exact position first; many keep part of every window on the screen
// instead, and once one has done so, a slid-out window is hidden and a strip
// window of the program's own (unmanaged, on top) stands where the window's
// visible strip would have been.
class EdgeStrip final
{
public:
    explicit EdgeStrip(QWidget *window);
    ~EdgeStrip();
    EdgeStrip(const EdgeStrip &) = delete;
    EdgeStrip &operator=(const EdgeStrip &) = delete;

    // Puts the window's frame at `position`, fully shown; a window the strip
    // stands in for comes back.
    void place(QPoint position);
    // Moves the window's frame to `position`, with only `visiblePart` of it on
    // the screen. A window hidden by the user just moves.
    void slideOut(QPoint position, const QRect &visiblePart);
    // Shows the hidden window where it is, slid out or not; window managers
    // keep a window they map on the screen.
    void showWindow();
    // Runs a move of the program's own made elsewhere, such as centring.
    void moveAsProgram(const std::function<void()> &move);
    // Call as the window is shown: the window manager is about to place it.
    void windowShown();

    // Sorts a move event of the window, once per event: whether the user has
    // moved it, rather than the program or the window manager answering the
    // program. Some window managers report a drag as it goes, the button
    // held; others once it has ended.
    bool isUserMove();
    bool isStandingIn() const;
    // Whether the pointer is over the strip standing in for the window.
    bool isUnderPointer() const;

private:
    void moveWindow(QPoint position);
    void standIn(QPoint position, const QRect &visiblePart);

    QWidget *m_window;
    std::unique_ptr<QWidget> m_strip;
    std::optional<QPoint> m_asked;
    // Where the window manager put the window instead of where it was asked.
    std::optional<QPoint> m_answer;
    QElapsedTimer m_sinceRequest;
    QElapsedTimer m_sinceShown;
    bool m_awaitingAnswer = false;
    bool m_moving = false;
    bool m_managerKeepsOnScreen = false;
};
