#include "wizard/dpi_scaling.h"

#include <cstdint>
#include <limits>

namespace lumora {

int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t halfDivisor = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (product < 0 ? -product : product) + halfDivisor;
  const std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
  const std::int64_t result = negative ? -quotient : quotient;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

int ScaleForDpi(int length, int dpi) { return MulDivRounded(length, dpi == 0 ? kReferenceDpi : dpi, kReferenceDpi); }

}  // namespace lumora
