#include "valuetext.h"

using namespace Qt::StringLiterals;

QString formatGeneral(double value, const QLocale &locale)
{
    // 'g' with 15 digits drops trailing zeros; only the separator is the
    // locale's (no digit grouping, as the original read-outs had none).
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', locale.decimalPoint());
    return text;
}

QString weightText(int hundredths, const QLocale &locale)
{
    return formatGeneral(hundredths / 100.0, locale) + u" gr"_s;
}

QString distanceText(int centimetres, const QLocale &locale)
{
    if (centimetres >= 100)
        return formatGeneral(centimetres / 100.0, locale) + u" mt"_s;
    return formatGeneral(centimetres, locale) + u" cm"_s;
}
