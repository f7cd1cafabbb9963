#pragma once

#include <QString>
#include <functional>

// The program's three message boxes. Each is modal, centred, captioned with
// the application title and has one OK button that Enter and Esc press.
namespace messagebox {

enum class Kind
{
    Information,
    Error,
    LastChance
};

// Tests answer boxes in advance: while an interceptor is set, it receives
// what would be shown (caption and text) and no box appears.
using Interceptor = std::function<void(Kind, const QString &caption, const QString &text)>;
void setInterceptor(Interceptor interceptor);

// A plain box with no icon.
void showInformation(const QString &text);
// The standard error box: error icon, the full-stop rule applied.
void showError(const QString &text);
// The last-chance box, captioned "Application Error".
void showLastChance(const QString &text);

} // namespace messagebox
