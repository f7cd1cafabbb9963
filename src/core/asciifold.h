#pragma once

#include <QString>

// The catalogue's text comparison ignores ASCII case only: "Ä" and "ä",
// "Σ" and "σ" stay apart. Every key that must agree with it folds this way.
QString asciiLowered(QString text);
