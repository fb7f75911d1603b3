#pragma once

namespace zeltomir::core {

// Factor levels live on a coded 0..1 scale between a factor's lower and upper
// limit; the user only ever sees natural levels. Levels outside the limits
// are not clipped, and reversed limits still apply the formula. Callers keep
// equal limits away (the factor commit refuses them).
inline double ToCoded(double lower, double upper, double level) { return (level - lower) / (upper - lower); }
inline double ToNatural(double lower, double upper, double level) { return lower + (upper - lower) * level; }

} // namespace zeltomir::core
