#include "core/asciifold.h"

QString asciiLowered(QString text)
{
    for (QChar &c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return text;
}
