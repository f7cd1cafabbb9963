#pragma once

#include "platform/hotkey.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <cstdint>

// A key grabbed on the X server's root window, so that it reaches this
// program whichever window has the focus. Grabbed for every state of
// NumLock, CapsLock and ScrollLock, which the server counts as modifiers
// too: the key works whether or not they are on.
class GlobalHotkey final : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlobalHotkey)

public:
    enum class Outcome
    {
        Grabbed,
        Taken,     // another program holds the key (or part of its states)
        NoKeycode, // the keyboard has no key for it
        NotX11     // no X server: nothing is grabbed
    };

    explicit GlobalHotkey(QObject *parent = nullptr);
    ~GlobalHotkey() override;

    // Grabs `key`, dropping any key held before. A key held by another
    // program in any lock state is not grabbed in any: it would work only
    // while NumLock happened to be on, say.
    Outcome grab(const hotkey::Key &key);
    void release();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void pressed();

private:
    QList<std::uint8_t> m_keycodes;
    std::uint16_t m_modifiers = 0;
    bool m_filtering = false;
};
