#pragma once

// What FormatByDigits must write, worked out the slow way on the decimal
// text of the value's fifteen significant digits as printf writes them: a
// reference that shares none of the fast formatter's arithmetic.

#include <QLocale>
#include <QString>

namespace zeltomir::fuzz {

// `decimals` from 0 to 10, the number FormatByDigits chose for its digits.
QString ByDigitsReference(double value, int decimals, const QLocale& locale);

} // namespace zeltomir::fuzz
