#pragma once

#include <QString>

// Text rules of the program's message boxes; no widgets.
namespace messagerules {

// Removes the trailing full stops and characters of code 32 or less that a
// database provider ends its descriptions with.
QString trimProviderMessage(const QString &message);

// The error box appends a full stop when the last character's code is above
// that of "." (a letter, a digit, a Chinese character, "/" or ":"), and not
// after ".", a blank or a lower sign such as ")" or a quotation mark.
QString withFullStop(const QString &message);

// "%s: %s": a failure raised by a component itself names the component.
QString componentMessage(const QString &component, const QString &text);

// Leading and trailing characters of code 32 or less removed.
QString trimmed(const QString &text);

} // namespace messagerules

namespace messagerules {
// The last-chance box's text: "Exception %s in module %s at %p.", a line
// break, the message with its full stop, and a line break.
QString lastChanceText(const QString &kind, const QString &module, const void *address,
                       const QString &message);
} // namespace messagerules
