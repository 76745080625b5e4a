// Rounding to the nearest whole number with ties to the even neighbour, the rule of the suite's
// original runtime for every conversion of a fraction to an integer (12.5 -> 12, 13.5 -> 14,
// -2.5 -> -2). Stands on the standard library alone, so that the data access layer can use it too.
#pragma once

namespace tmigration::util {

// Infinities and NaN come back unchanged.
double RoundHalfEven(double x);

}  // namespace tmigration::util
