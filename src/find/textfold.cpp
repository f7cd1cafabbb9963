#include "find/textfold.h"

#include <QUrl>

namespace find {

QString folded(QStringView text, const Tables &tables)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_Enclosing)
            continue;
        out.append(tables.simplified(c));
    }
    return out.toCaseFolded();
}

QString hostOf(const QString &address)
{
    const QString host = QUrl(address, QUrl::TolerantMode).host();
    return (host.isEmpty() ? address : host).toCaseFolded();
}

} // namespace find
