#pragma once

#include <QLocale>
#include <QString>

// Read-outs of weights and distances, as value labels show them.

// The general decimal format: the shortest form with at most 15 significant
// digits, no trailing zeros, and the decimal separator of `locale`.
QString formatGeneral(double value, const QLocale &locale = QLocale());

// A weight stored in hundredths of a gram, in grams: 1550 -> "15,5 gr".
QString weightText(int hundredths, const QLocale &locale = QLocale());

// A distance in centimetres: "99 cm" below 100, else in metres: "1,5 mt".
QString distanceText(int centimetres, const QLocale &locale = QLocale());
