// The number text routines on any text and any double, in locales whose
// marks differ from the file form's: a comma for the decimal mark, blanks,
// apostrophes or dots for grouping, other minus signs, native digits.
//
// Input: byte 0 picks the locale, byte 1 the decimals of FormatByDigits,
// and the rest is both the text to read (UTF-8) and, in its first eight
// bytes, the bits of a double to write. A text that reads as a number is
// written back too: decimal values such as 2.675 sit on the halves that the
// rounding rules are about, which random bits hardly ever hit.

#include "ByDigitsReference.h"
#include "FuzzCheck.h"

#include "core/FifteenDigits.h"
#include "core/NumberText.h"

#include <QLocale>

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace zeltomir::core;
using zeltomir::fuzz::ByDigitsReference;

namespace {

const std::array<QLocale, 10>& Locales()
{
    static const std::array<QLocale, 10> locales = {
        QLocale::c(),         QLocale("en_US"), QLocale("de_DE"), QLocale("fr_FR"), QLocale("sv_SE"),
        QLocale("de_CH"),     QLocale("ar_EG"), QLocale("fa_IR"), QLocale("bn_BD"), QLocale("hi_IN"),
    };
    return locales;
}

// 0..9 are patterns of their own; the rest all mean ten decimals.
constexpr std::array<double, 13> DigitsChoices = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1, 2.5};

QString Shown(double value)
{
    return QString::number(value, 'g', 17);
}

// Off by no more than the digits a text keeps (relative) plus a fixed step:
// the type's smallest near zero, or half a unit of the last decimal kept.
bool Within(double reread, double value, double relative, double absolute)
{
    return std::fabs(reread - value) <= relative * std::fabs(value) + absolute;
}

void CheckFifteenDigits(double value)
{
    char buffer[40];
    char* end = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                                    std::chars_format::scientific, 14).ptr;
    std::uint64_t significand = 0;
    for (const char* digit = buffer; digit < buffer + 16; ++digit) {
        if (*digit != '.')
            significand = significand * 10 + static_cast<std::uint64_t>(*digit - '0');
    }
    const int point = std::atoi(std::string(buffer + 17, end).c_str()) + 1;
    const FifteenDigits fast = FifteenDigitsOf(std::fabs(value));
    FUZZ_CHECK(fast.significand == significand && (significand == 0 || fast.point == point),
               "fifteen digits of " + Shown(value) + " differ from printf's");
}

// Written in every form, each must read back as what it stands for.
void CheckWritten(double value, double digits, const QLocale& locale)
{
    if (!std::isfinite(value))
        return;
    CheckFifteenDigits(value);

    const QString general = GeneralForm(value, Precision::Double, locale);
    const std::optional<double> reread = ParseNumber(general, locale);
    FUZZ_CHECK(reread, "the general form " + general + " of " + Shown(value) + " is not a number");
    FUZZ_CHECK(Within(*reread, value, 1e-14, DBL_TRUE_MIN), "the general form " + general + " of " + Shown(value) + " reads as " + Shown(*reread));
    FUZZ_CHECK(GeneralForm(*reread, Precision::Double, locale) == general, "the general form " + general + " changes when read and written again");

    const std::optional<double> fromFile = ParseFileNumber(FileNumber(value, Precision::Double));
    FUZZ_CHECK(fromFile && *fromFile == ParseNumber(GeneralForm(value, Precision::Double, QLocale::c()), QLocale::c()),
               "the file form of " + Shown(value) + " does not read as its general form");

    const auto single = static_cast<float>(value);
    if (std::isfinite(single)) {
        const QString text = GeneralForm(single, Precision::Single, locale);
        const std::optional<float> back = ParseSingle(text, locale);
        FUZZ_CHECK(back && Within(*back, single, 1e-6, FLT_TRUE_MIN), "the single form " + text + " of " + Shown(single) + " does not read back");
    }

    const QString byDigits = FormatByDigits(value, digits, locale);
    const int decimals = digits >= 0 && digits <= 9 && digits == std::floor(digits) ? static_cast<int>(digits) : 10;
    const QString expected = ByDigitsReference(value, decimals, locale);
    FUZZ_CHECK(byDigits == expected, "FormatByDigits(" + Shown(value) + ", " + Shown(digits) + ") gives " + byDigits + ", not " + expected);

    const double rounded = RoundHalfEven(value, decimals);
    FUZZ_CHECK(Within(rounded, value, 1e-14, 0.5 * std::pow(10.0, -decimals)),
               "RoundHalfEven(" + Shown(value) + ", " + QString::number(decimals) + ") gives " + Shown(rounded));

    // Pictures show the responses of the practice models, which are singles,
    // so their read back counts over the single range only (the picture of
    // the largest doubles rounds past any double).
    const bool pictureReadBack = std::fabs(value) <= FLT_MAX;
    for (const Picture picture : {Picture::Whole, Picture::TwoDecimals, Picture::ThreeDecimals}) {
        if (!pictureReadBack)
            break;
        const QString text = FormatPicture(value, picture, locale);
        const int places = picture == Picture::Whole ? 0 : picture == Picture::TwoDecimals ? 2 : 3;
        const double step = 0.5 * std::pow(10.0, -places);
        if (text == locale.decimalPoint()) { // the decimal pictures' zero
            FUZZ_CHECK(Within(0, value, 1e-14, step), "FormatPicture of " + Shown(value) + " gives " + text);
            continue;
        }
        const std::optional<double> back = ParseNumber(text, locale);
        FUZZ_CHECK(back && Within(*back, value, 1e-14, step), "FormatPicture of " + Shown(value) + " gives " + text);
    }

    if (const std::optional<std::int16_t> whole = RoundToInt16(value))
        FUZZ_CHECK(std::fabs(*whole - value) <= 0.5, "RoundToInt16(" + Shown(value) + ") gives " + QString::number(*whole));
}

// Every read of the same text agrees with the others.
void CheckRead(QByteArrayView bytes, const QLocale& locale, double digits)
{
    const QString text = QString::fromUtf8(bytes);
    const std::optional<double> number = ParseNumber(text, locale);
    const std::optional<float> single = ParseSingle(text, locale);
    FUZZ_CHECK(IsNumber(text, locale) == number.has_value(), "IsNumber and ParseNumber disagree on " + text);
    FUZZ_CHECK(!single || number, "a single without a double from " + text);
    if (number) {
        FUZZ_CHECK(std::isfinite(*number), "a number that is not finite from " + text);
        if (std::fabs(*number) <= FLT_MAX) {
            const auto nearest = static_cast<float>(*number);
            FUZZ_CHECK(single && (*single == nearest || *single == std::nextafter(nearest, -FLT_MAX)
                                  || *single == std::nextafter(nearest, FLT_MAX)),
                       "the single read of " + text + " is not next to its double read");
        }
        CheckWritten(*number, digits, locale);
    }

    const std::optional<double> file = ParseFileNumber(text);
    const double leading = LeadingNumber(text);
    FUZZ_CHECK(std::isfinite(leading), "a leading number that is not finite from " + text);
    if (file)
        FUZZ_CHECK(leading == *file, "the leading number of " + text + " is not its file number");
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::optional<double> fast = ParseAsciiFileNumber(bytes);
    if (ascii)
        FUZZ_CHECK(fast == ParseFileNumber(QString::fromLatin1(bytes)), "the bytes' read of " + text + " differs from the full read");
    else
        FUZZ_CHECK(!fast, "the bytes' read took a line beyond ASCII: " + text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const QLocale& locale = Locales()[data[0] % Locales().size()];
    const double digits = DigitsChoices[data[1] % DigitsChoices.size()];
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size - 2));

    if (rest.size() >= 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, rest.data(), sizeof bits);
        CheckWritten(std::bit_cast<double>(bits), digits, locale);
    }
    CheckRead(rest, locale, digits);
    return 0;
}
