#pragma once

#include "testcatalogue.h"
#include "urlcapture.h"

#include <QObject>
#include <optional>

class MaintenanceWindow;

// Which of the program's windows are on the screen once the window set is made.
enum class Shown
{
    None,
    MainWindow,
    MaintenanceWindow // opened from the shown main window, as the Tools menu does
};

// The program's four windows, made as at start-up, while the object lives.
class WindowSet
{
    Q_DISABLE_COPY_MOVE(WindowSet)

public:
    // `trayHost` decides whether the desktop has a tray host; unset, the
    // desktop is asked.
    explicit WindowSet(Shown shown, std::optional<bool> trayHost = std::nullopt);
    ~WindowSet();

private:
    bool m_trayHostDecided;
};

// The fixture of every forms test, made afresh for each test function and
// data row: a temporary catalogue the process works in, the message boxes
// captured instead of shown, and a desktop without a browser, so that no
// test starts one. A test fills the catalogue, then opens the
// windows on it; all of it goes when the test ends.
class WindowSetTest : public QObject
{
    Q_OBJECT

protected:
    TestCatalogue &catalogue() { return m_fixture->catalogue; }
    MessageCapture &messages() { return m_fixture->messages; }
    void openWindows(Shown shown = Shown::None, std::optional<bool> trayHost = std::nullopt);
    // Opens it from the main window, which is shown first if need be.
    MaintenanceWindow openMaintenanceWindow();

private slots:
    void init() { m_fixture.emplace(); }
    void cleanup() { m_fixture.reset(); }

private:
    // The windows go first: they hold the catalogue open and may still report.
    struct Fixture
    {
        TestCatalogue catalogue;
        MessageCapture messages;
        UrlCapture noBrowser{false};
        std::optional<WindowSet> windows;
    };
    std::optional<Fixture> m_fixture;
};
