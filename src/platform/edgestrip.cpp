#include "platform/edgestrip.h"

#include "platform/pointer.h"

#include <QPalette>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace {

// The window manager's answer to a move arrives within this time, and so do
// its moves as it places a window it has just mapped.
constexpr int answerWithinMs = 500;

std::unique_ptr<QWidget> makeStrip()
{
    auto strip = std::make_unique<QWidget>(
        nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                     Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    strip->setObjectName(QStringLiteral("EdgeStrip"));
    strip->setAttribute(Qt::WA_ShowWithoutActivating);
    strip->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    QPalette colours = strip->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
    strip->setPalette(colours);
    strip->setAutoFillBackground(true);
    return strip;
}

} // namespace

EdgeStrip::EdgeStrip(QWidget *window) : m_window(window), m_strip(makeStrip()) {}

EdgeStrip::~EdgeStrip() = default;

void EdgeStrip::place(QPoint position)
{
    moveWindow(position);
    if (isStandingIn()) {
        m_strip->hide();
        showWindow();
    }
}

void EdgeStrip::slideOut(QPoint position, const QRect &visiblePart)
{
    const bool hiddenByUser = !m_window->isVisible() && !isStandingIn();
    if (hiddenByUser || m_window->isMinimized()) {
        moveWindow(position);
        return;
    }
    // Asked at an earlier tick, the window manager has put it elsewhere.
    const bool refused = m_asked == position && m_window->pos() != position;
    m_managerKeepsOnScreen = m_managerKeepsOnScreen || refused;
    if (m_managerKeepsOnScreen)
        standIn(position, visiblePart);
    else
        moveWindow(position);
}

void EdgeStrip::showWindow()
{
    m_window->show();
    // The window believes itself where it was; asking for that position once
    // more, after the request to map it, moves it there.
    moveAsProgram([this] { m_window->windowHandle()->setFramePosition(m_window->pos()); });
}

void EdgeStrip::moveAsProgram(const std::function<void()> &move)
{
    m_moving = true;
    move();
    m_moving = false;
    m_asked = m_window->pos();
}

bool EdgeStrip::isUserMove()
{
    const bool answering =
        std::exchange(m_awaitingAnswer, false) && m_sinceRequest.elapsed() < answerWithinMs;
    const QPoint position = m_window->pos();
    if (m_moving || position == m_asked || position == m_answer)
        return false;
    // Where the button cannot be read, every move counts as held.
    if (pointer::buttonHeld().value_or(true))
        return true;
    if (answering)
        m_answer = position;
    const bool placing = m_sinceShown.isValid() && m_sinceShown.elapsed() < answerWithinMs;
    return !answering && !placing;
}

void EdgeStrip::windowShown()
{
    m_sinceShown.start();
}

bool EdgeStrip::isStandingIn() const
{
    return m_strip->isVisible();
}

bool EdgeStrip::isUnderPointer() const
{
    return pointer::isOver(m_strip.get());
}

void EdgeStrip::moveWindow(QPoint position)
{
    if (m_window->pos() == position)
        return;
    moveAsProgram([&] { m_window->move(position); });
    // Only a shown window's move goes to the window manager.
    m_awaitingAnswer = m_window->isVisible();
    m_answer.reset();
    m_sinceRequest.start();
}

void EdgeStrip::standIn(QPoint position, const QRect &visiblePart)
{
    if (isStandingIn())
        return;
    m_window->hide();
    // The hidden window keeps the slid-out position, where the window manager
    // has no say.
    moveWindow(position);
    m_strip->setGeometry(visiblePart);
    m_strip->show();
    m_strip->raise();
}
