#include "surface/qt/fonts.h"

#include <QFont>
#include <QStringList>

namespace lens {

QString fontFamilyFor(const QString& name)
{
    const QString key = name.trimmed().toLower();
    if (key.startsWith(QLatin1String("arial")))
        return QStringLiteral("Liberation Sans");
    if (key.startsWith(QLatin1String("times new roman")))
        return QStringLiteral("Liberation Serif");
    if (key == QLatin1String("symbol"))
        return QStringLiteral("DejaVu Sans");
    return name;
}

void installFontSubstitutions()
{
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    for (const char* name : {"Arial", "Arial Greek"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
    for (const char* name : {"Times New Roman", "Times New Roman Greek", "TIMES NEW ROMAN"})
        QFont::insertSubstitutions(QString::fromLatin1(name), serif);
    QFont::insertSubstitutions(QStringLiteral("Symbol"), {QStringLiteral("DejaVu Sans")});
}

} // namespace lens
