#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Follows which of the program's windows is active, so that a window can tell
// a return from another of the program's windows from a return from another
// application. Dialogs (message boxes) do not count as windows here: a window
// that gets the focus back from its own error box has not been left.
class WindowActivationWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowActivationWatch)

public:
    explicit WindowActivationWatch(QObject *parent = nullptr);
    ~WindowActivationWatch() override;

signals:
    // `window` became active; `previous` is the program's window that was
    // active before it, or null when none was (another application had it).
    void activated(QWidget *window, QWidget *previous);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *active);

    QPointer<QWidget> m_active;
    QPointer<QWidget> m_hidden; // the active window that was hidden, while none is active
};
