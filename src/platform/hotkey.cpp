#include "platform/hotkey.h"

#include <QKeySequence>
#include <array>
#include <utility>

namespace hotkey {

namespace {

// The X server's modifier masks (X.h), kept here so that the rules need no
// X headers.
constexpr std::uint16_t shiftMask = 1 << 0;
constexpr std::uint16_t controlMask = 1 << 2;
constexpr std::uint16_t mod1Mask = 1 << 3; // Alt
constexpr std::uint16_t mod4Mask = 1 << 6; // Meta, the Super key

constexpr std::uint32_t keysymF1 = 0xffbe;

// Keys whose keysym does not follow from their Qt code.
constexpr std::array<std::pair<int, std::uint32_t>, 18> namedKeys = {{
    {Qt::Key_Escape, 0xff1b},
    {Qt::Key_Tab, 0xff09},
    {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d},
    {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Delete, 0xffff},
    {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},
    {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},
    {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},
    {Qt::Key_Menu, 0xff67},
}};

bool isFunctionKey(int key)
{
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

// The keysym of a Qt key code; 0 for one that has none here.
std::uint32_t keysymOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::uint32_t(key - Qt::Key_A + 'a'); // letters grab as lower case
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return std::uint32_t(key);
    if (isFunctionKey(key))
        return keysymF1 + std::uint32_t(key - Qt::Key_F1);
    for (const auto &[qtKey, keysym] : namedKeys) {
        if (qtKey == key)
            return keysym;
    }
    return 0;
}

std::uint16_t modifiersOf(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= shiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= controlMask;
    if (modifiers & Qt::AltModifier)
        mask |= mod1Mask;
    if (modifiers & Qt::MetaModifier)
        mask |= mod4Mask;
    return mask;
}

Choice refused(const QString &why)
{
    Choice choice;
    choice.error = why;
    return choice;
}

} // namespace

QString defaultText()
{
    return QStringLiteral("Ctrl+Alt+K");
}

Choice parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"off", Qt::CaseInsensitive) == 0) {
        Choice off;
        off.off = true;
        return off;
    }
    const QKeySequence sequence = QKeySequence::fromString(trimmed, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return refused(QStringLiteral("'%1' is not one key with its modifiers.").arg(text));
    const QKeyCombination combination = sequence[0];
    const int key = combination.key();
    const std::uint32_t keysym = keysymOf(key);
    if (keysym == 0)
        return refused(QStringLiteral("'%1' names no key that can be grabbed.").arg(text));
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const Qt::KeyboardModifiers needed = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!(modifiers & needed) && !isFunctionKey(key))
        return refused(
            QStringLiteral("'%1' needs Ctrl, Alt or Meta: without them it would take the key "
                           "from every program's typing.")
                .arg(text));
    Choice choice;
    choice.key = Key{keysym, modifiersOf(modifiers),
                     QKeySequence(combination).toString(QKeySequence::PortableText)};
    return choice;
}

} // namespace hotkey
