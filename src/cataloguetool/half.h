#pragma once

#include <QString>

// The two halves of the catalogue: domestic papers by province, foreign ones
// by country or region.
namespace half {

enum class Half
{
    None,
    Domestic,
    Foreign
};

// The half's table; none for Half::None.
QString table(Half half);
// "domestic" or "foreign", as the command line writes it.
QString word(Half half);
// The half the command line's word names; None for any other text.
Half fromWord(const QString &word);
// The bookmark folder that holds the half: "国内报纸" or "国外报纸".
QString folder(Half half);
// The half a bookmark folder names; None for any other folder.
Half ofFolder(const QString &name);

} // namespace half
