#pragma once

#include "testcatalogue.h"

#include <QObject>
#include <memory>
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
public:
    // `trayHost` decides whether the desktop has a tray host; unset, the
    // desktop is asked.
    explicit WindowSet(Shown shown, std::optional<bool> trayHost = std::nullopt);
    ~WindowSet();
    WindowSet(const WindowSet &) = delete;
    WindowSet &operator=(const WindowSet &) = delete;

private:
    bool m_trayHostDecided;
};

// The fixture of every forms test, made afresh for each test function and
// data row: a temporary catalogue the process works in, and the message
// boxes captured instead of shown. A test fills the catalogue, then opens the
// windows on it; all of it goes when the test ends.
class WindowSetTest : public QObject
{
    Q_OBJECT

public:
    WindowSetTest();
    ~WindowSetTest() override;

protected:
    TestCatalogue &catalogue() const;
    MessageCapture &messages() const;
    void openWindows(Shown shown = Shown::None, std::optional<bool> trayHost = std::nullopt);
    // Opens it from the main window, which is shown first if need be.
    MaintenanceWindow openMaintenanceWindow();

private slots:
    void init();
    void cleanup();

private:
    struct Fixture;
    std::unique_ptr<Fixture> m_fixture;
};
