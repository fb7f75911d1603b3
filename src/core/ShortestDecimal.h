#pragma once

// A state file keeps every number at single precision, so a level typed as
// 9.5 between limits of -10 and 20 comes back as 9.49999928474426. These
// routines find the number the user most likely meant: the shortest decimal
// that the stored single stands for. A run read back from a file then shows
// and computes the levels that were run.

#include <optional>

namespace zeltomir::core {

// True when `value`, written to a file in its 15-digit form and read back,
// rounds to the single `stored` again: its nearest single is `stored`, and
// not only by less than the 15 digits' own rounding. A value beyond the
// single range must equal `stored` itself (the reader keeps those whole).
bool KeepsSingle(double value, double stored);

// The shortest decimal whose nearest single is the single `stored` (among
// equally short ones the nearest), as a double: 0.1 for the single nearest
// to 0.1. A value beyond the single range, an infinity or NaN is returned as
// it is.
double ShortestDecimalOfSingle(double stored);

// The same for a value that is a single (a result or a response the record
// holds); any other value, a level computed in double precision among
// them, as it is.
double ShortestDecimalIfSingle(double value);

// The coded level (0 at `lower`, 1 at `upper`) of the shortest natural level
// whose coded value keeps the single `stored` (KeepsSingle); among equally
// short levels the nearest. Where none qualifies (equal limits, limits
// beyond any double, a value beyond the single range, NaN, or a scale so
// fine that no decimal of up to 17 digits fits), `stored` as it is.
// Levels are mostly run as shown, at the factor's decimals: given them
// (0 to 22; -1 for none), that level is found at once.
double ShortestDecimalLevel(double lower, double upper, double stored, int decimals = -1);

// The natural level itself; nullopt where none qualifies.
std::optional<double> ShortestNaturalLevel(double lower, double upper, double stored, int decimals = -1);

} // namespace zeltomir::core
