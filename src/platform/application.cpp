#include "platform/application.h"

#include "core/failure.h"
#include "platform/messagebox.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    runHandler([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void reportCurrentFailure()
{
    try {
        throw;
    } catch (const Failure &failure) {
        messagebox::showError(failure.message());
    } catch (const std::exception &error) {
        messagebox::showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        messagebox::showError(QStringLiteral("Unknown failure"));
    }
}
