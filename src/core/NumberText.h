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
#include <memory>
#include <optional>

namespace zeltomir::core {

enum class Precision { Single, Double };

// A number: blanks around, an optional sign, digits with at most one decimal
// mark of the locale, an optional exponent (e or E, optional sign, digits).
// No grouping marks, currency, hexadecimal, inf or nan; empty is not a number.
// A value too large for a double is not a number either, so a text that
// passes IsNumber always has a ParseNumber value. A value too small to hold
// is a number: it reads as zero (or the nearest subnormal).
bool IsNumber(QStringView text, const QLocale& locale = QLocale());

// The value of a number as a double; nullopt when IsNumber is false or the
// value overflows a double.
std::optional<double> ParseNumber(QStringView text, const QLocale& locale = QLocale());

namespace detail {
struct Marks;
}

// ParseNumber for many texts in one locale: the locale's marks are read
// once, not for every text (a copied table reads a million cells).
class NumberReader {
public:
    explicit NumberReader(const QLocale& locale = QLocale());
    ~NumberReader();
    NumberReader(const NumberReader&) = delete;
    NumberReader& operator=(const NumberReader&) = delete;

    std::optional<double> number(QStringView text) const;

private:
    std::unique_ptr<const detail::Marks> m_marks;
};

// The value rounded to single precision (returned as the float); nullopt when
// the text is not a number or lies outside the single-precision range.
std::optional<float> ParseSingle(QStringView text, const QLocale& locale = QLocale());

// The nearest 16-bit integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4); nullopt instead of wrapping when it does not fit or is not finite.
std::optional<std::int16_t> RoundToInt16(double value);

// Rounds to one decimal (or n decimals) with halves to even, as the practice
// models and the score percentage do. A half is judged on the value's
// 15-digit decimal form, not its binary value: 0.25 -> 0.2 and 0.35 -> 0.4
// (the double 0.35 lies just below 0.35, but it is the decimal 0.35 that was
// meant). Beyond 15 significant digits the value is returned unchanged.
double RoundHalfEven(double value, int decimals);

// The general decimal form: up to 15 (double) or 7 (single) significant
// digits, no trailing zeros, a leading zero before the decimal mark
// ("0.5"), exponent as mantissa + "E+NN"/"E-NN" only where needed
// ("1E-05", "1E+15", "1.5E+20"). The decimal mark is the locale's; the
// minus sign is always "-". A negative zero is written "0"; infinities and
// NaN (which no valid input yields) as "INF", "-INF" and "NAN", which read
// back as not a number. Every finite value's text reads back: the few
// largest doubles, whose fifteen digits would round beyond any double, are
// written as 1.79769313486231E+308.
QString GeneralForm(double value, Precision precision = Precision::Double,
                    const QLocale& locale = QLocale());

// A value held at single precision as the user typed it: the fewest digits
// that read back as the same single (a typed 0.1 is "0.1", not the double's
// 0.100000001490116), laid out as GeneralForm lays out a double, so that
// 19701736 stays 19701736 where seven digits would make it 1.970174E+07. A
// value that is not a single is written as GeneralForm writes a double.
QString ShortestSingleForm(double value, const QLocale& locale = QLocale());

// The shortest text that reads back to the same double, for files that other
// programs read: "." as the mark, no grouping, an exponent only where it is
// shorter ("0.1", "10", "1e+20", "1.5e-07"). A negative zero is "0";
// infinities and NaN are written as GeneralForm writes them.
QString ShortestForm(double value);

// A factor level as display text with `digits` decimals (0..9; anything else,
// fractional included, gives 10), grouping the integer part in threes with
// the locale's marks. The value's 15-digit form is rounded with halves away
// from zero. With 0 decimals a value that rounds to zero is an empty text,
// and a negative one that rounds to zero keeps its sign ("-", "-0.0").
QString FormatByDigits(double value, double digits, const QLocale& locale = QLocale());

// GeneralForm and FormatByDigits for many values in one locale: its marks
// are read once, and no text is made but the result. A table of a million
// cells is written this way; make the formatter just before the run of
// values, as it readies the processor for them (core/VectorState.h).
class NumberFormatter {
public:
    explicit NumberFormatter(const QLocale& locale = QLocale());
    QString general(double value, Precision precision = Precision::Double) const;
    QString byDigits(double value, double digits) const;
    // The same texts appended to `out`: a table packs its cells this way.
    void appendGeneral(QString& out, double value, Precision precision = Precision::Double) const;
    void appendByDigits(QString& out, double value, double digits) const;

private:
    QString m_point;
    QString m_group;
    bool m_plainPoint; // "." as in the C locale: nothing to replace
};

// The picture formats of the practice windows: digit placeholders only, so
// 0.5 -> ".5" and 5 -> "5." (Whole writes the nearest whole number).
// Halves go away from zero on the 15-digit form, as in FormatByDigits. A
// value that rounds to zero loses its sign and is "0" for Whole (so that it
// still reads back as a number) and "." for the decimal pictures.
enum class Picture { Whole, TwoDecimals, ThreeDecimals }; // "#######", "#######.##", "#######.###"
QString FormatPicture(double value, Picture picture, const QLocale& locale = QLocale());

// The leading-number rule of exercise files: blanks anywhere are ignored, the
// longest prefix that forms a decimal number (with "." as the mark and an
// optional exponent) is taken, and a line without one gives 0. A prefix too
// large for a double gives 0 as well; one too small gives 0 naturally.
double LeadingNumber(QStringView line);

// File number lines: the general form with "." as the mark, one blank before
// a value that is not negative and one blank after (" 0.5 ", "-2 ").
QString FileNumber(double value, Precision precision);
QString FileInteger(int value);
// The same texts appended to a file's bytes, without a string of their own:
// a long history writes millions of them.
void AppendFileNumber(QByteArray& out, double value, Precision precision);
void AppendFileInteger(QByteArray& out, int value);

// Reads a file number line ("." as the mark, blanks around ignored); nullopt
// when the line is not a number.
std::optional<double> ParseFileNumber(QStringView line);
// The same read of a line of ASCII bytes, without making a string of it: the
// answer is ParseFileNumber(QString::fromLatin1(line)), faster. A line with
// bytes beyond ASCII is never a number here.
std::optional<double> ParseAsciiFileNumber(QByteArrayView line);
// The same, the value handed back through `value` (false: no number): a
// reader of millions of lines avoids passing an optional back each time.
bool ParseAsciiFileNumber(QByteArrayView line, double& value);

} // namespace zeltomir::core
