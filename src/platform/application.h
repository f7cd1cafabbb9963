#pragma once

#include <QApplication>

// The application object. A failure that escapes an event handler ends that
// handler only: it is shown in the standard error box and the program goes on.
class Application final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// Shows the failure being handled in the standard error box; call it only
// from a catch block.
void reportCurrentFailure();

// Runs one event handler; a failure ends it and goes to the standard error box.
template <typename Handler> void runHandler(Handler &&handler)
{
    try {
        handler();
    } catch (...) {
        reportCurrentFailure();
    }
}
