#pragma once

// Every conversion between numbers and text in the program goes through
// here: what the user types, what a grid cell shows, what a file holds.
// Functions that read or write for a person take the locale explicitly
// (QLocale() is the user's); file forms always use "." so that a file
// written on one machine reads back on any other.

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace zeltomir::core {

enum class Precision { Single, Double };

// A number: blanks around, an optional sign, digits with at most one decimal
// mark of the locale, an optional exponent (e or E, optional sign, digits).
// No grouping marks, currency, hexadecimal, inf or nan; empty is not a number.
bool IsNumber(QStringView text, const QLocale& locale = QLocale());

// The value of a number as a double; nullopt when IsNumber is false or the
// value overflows a double.
std::optional<double> ParseNumber(QStringView text, const QLocale& locale = QLocale());

// The value rounded to single precision (returned as the float); nullopt when
// the text is not a number or lies outside the single-precision range.
std::optional<float> ParseSingle(QStringView text, const QLocale& locale = QLocale());

// The nearest 16-bit integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4); nullopt instead of wrapping when it does not fit or is not finite.
std::optional<std::int16_t> RoundToInt16(double value);

// Rounds to one decimal (or n decimals) with halves to even, as the practice
// models and the score percentage do.
double RoundHalfEven(double value, int decimals);

// The general decimal form: up to 15 (double) or 7 (single) significant
// digits, no trailing zeros, a leading zero before the decimal mark
// ("0.5"), exponent as mantissa + "E+NN"/"E-NN" only where needed
// ("1E-05", "1E+15", "1.5E+20"). The decimal mark is the locale's.
QString GeneralForm(double value, Precision precision = Precision::Double,
                    const QLocale& locale = QLocale());

// A factor level as display text with `digits` decimals (0..9; anything else,
// fractional included, gives 10), grouping the integer part in threes with
// the locale's marks. The value's 15-digit form is rounded with halves away
// from zero. With 0 decimals a value that rounds to zero is an empty text,
// and a negative one that rounds to zero keeps its sign ("-", "-0.0").
QString FormatByDigits(double value, double digits, const QLocale& locale = QLocale());

// The picture formats of the practice windows: digit placeholders only, so
// 0.5 -> ".5" and 5 -> "5." (Whole writes the nearest whole number).
enum class Picture { Whole, TwoDecimals, ThreeDecimals }; // "#######", "#######.##", "#######.###"
QString FormatPicture(double value, Picture picture, const QLocale& locale = QLocale());

// The leading-number rule of exercise files: blanks anywhere are ignored, the
// longest prefix that forms a decimal number (with "." as the mark and an
// optional exponent) is taken, and a line without one gives 0.
double LeadingNumber(QStringView line);

// File number lines: the general form with "." as the mark, one blank before
// a value that is not negative and one blank after (" 0.5 ", "-2 ").
QString FileNumber(double value, Precision precision);
QString FileInteger(int value);

// Reads a file number line ("." as the mark, blanks around ignored); nullopt
// when the line is not a number.
std::optional<double> ParseFileNumber(QStringView line);

} // namespace zeltomir::core
