#pragma once

#include <QString>

// The application title: the caption of the program's message boxes. It is
// kept apart from Qt's display name, which the toolkit would append to every
// window caption.
namespace apptitle {
void setTitle(const QString &title);
QString title();
} // namespace apptitle
