#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <optional>

// Whether the desktop has a notification area (a tray host) to hold the
// program's icon. Without one the program must keep its taskbar button, or a
// hidden window could be neither reached nor ended.
namespace trayhost {

bool isAvailable();

// Tests decide the answer while an override is set; std::nullopt asks the
// desktop again. Every watch hears of the change.
void setAvailabilityOverride(std::optional<bool> available);

// Tells when a tray host may have come or gone, without polling: on X11 the
// new owner's MANAGER message on the root window and the old owner's window
// being destroyed; on the session bus the StatusNotifierWatcher's name owner
// and its hosts registering.
class Watch final : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Watch)

public:
    explicit Watch(QObject *parent = nullptr);
    ~Watch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    // Ask isAvailable() again.
    void mayHaveChanged();

private:
    void watchX11();
    void watchSessionBus();
    void followTrayOwner(std::uint32_t owner);

    std::uint32_t m_managerAtom = 0;
    std::uint32_t m_trayAtom = 0;
    std::uint32_t m_trayOwner = 0;
};

} // namespace trayhost
