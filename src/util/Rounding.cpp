#include "util/Rounding.h"

#include <cmath>

namespace tmigration::util {

double RoundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace tmigration::util
