#pragma once

#include <QString>

// The catalogue's tables and columns, named once. Each half of the catalogue
// has a table of its own with the same three columns: the province (or
// country), the paper's name and its address.
namespace catalogue {

inline const QString domesticTable = QStringLiteral("pinternal");
inline const QString foreignTable = QStringLiteral("poverseas");

inline const QString provinceColumn = QStringLiteral("pcity");
inline const QString nameColumn = QStringLiteral("pname");
inline const QString addressColumn = QStringLiteral("purl");

// The kind the user picks: "国内" is the domestic table, "国外" the foreign one;
// any other text names no table (an empty name).
QString tableForKind(const QString &kind);

// The key under which the catalogue's columns compare a text: ASCII letters
// folded to lower case and nothing else, as SQLite's NOCASE does. Two names
// with the same key are the same paper's name.
QString comparisonKey(const QString &text);

} // namespace catalogue
