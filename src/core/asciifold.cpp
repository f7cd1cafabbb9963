#include "core/asciifold.h"

#include <algorithm>

QString asciiLowered(QString text)
{
    const auto isUpper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    // Most names hold no ASCII capital: they are returned without a copy.
    auto first = std::find_if(text.cbegin(), text.cend(), isUpper);
    if (first == text.cend())
        return text;
    const qsizetype from = first - text.cbegin();
    QChar *c = text.data() + from;
    for (QChar *end = text.data() + text.size(); c != end; ++c)
        if (isUpper(*c))
            *c = QChar(c->unicode() + 32);
    return text;
}
