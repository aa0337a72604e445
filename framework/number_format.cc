#include "framework/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// "00" to "99": the decimals are written two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

}  // namespace

char* formatInt(char* out, int32_t value) {
  return std::to_chars(out, out + kMaxIntChars, value).ptr;
}

char* formatHex(char* out, uint32_t value) {
  return std::to_chars(out, out + kMaxIntChars, value, 16).ptr;
}

char* formatReal(char* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bool negative = bits >> 31;
  uint32_t biased = (bits >> 23) & 0xff;
  uint32_t fraction = bits & 0x7fffff;
  if (negative) *out++ = '-';
  if (biased == 0xff) {
    std::memcpy(out, fraction ? "nan" : "inf", 3);
    return out + 3;
  }
  // value = mantissa * 2^exponent exactly.
  uint64_t mantissa = biased ? (fraction | 0x800000) : fraction;
  int exponent = biased ? static_cast<int>(biased) - 150 : -149;
  if (exponent > 39) {
    // Beyond 2^63 the integer part leaves 64 bits; such values are rare
    // enough to take the general route, which is exact too.
    double magnitude = std::fabs(static_cast<double>(value));
    return std::to_chars(out, out + kMaxRealChars - 1, magnitude,
                         std::chars_format::fixed, 6).ptr;
  }
  // Split into the integer part and the six decimals of the fraction,
  // rounded to the nearest, ties to even, as printf rounds the exact binary
  // value. A 24-bit fraction times 10^6 stays below 2^44, so all of this
  // fits in 64 bits.
  uint64_t integerPart;
  uint32_t decimals = 0;
  if (exponent >= 0) {
    integerPart = mantissa << exponent;  // an integer: no decimals
  } else if (exponent > -64) {
    int shift = -exponent;
    integerPart = mantissa >> shift;
    uint64_t numerator = (mantissa & ((uint64_t{1} << shift) - 1)) * 1000000u;
    uint64_t quotient = numerator >> shift;
    uint64_t remainder = numerator & ((uint64_t{1} << shift) - 1);
    uint64_t half = uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
    if (quotient == 1000000u) {
      quotient = 0;
      ++integerPart;
    }
    decimals = static_cast<uint32_t>(quotient);
  } else {
    integerPart = 0;  // below 2^-40: fewer than half a millionth
  }
  out = std::to_chars(out, out + 21, integerPart).ptr;
  *out++ = '.';
  std::memcpy(out, kDigitPairs + 2 * (decimals / 10000), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (decimals / 100 % 100), 2);
  std::memcpy(out + 4, kDigitPairs + 2 * (decimals % 100), 2);
  return out + 6;
}

namespace {

bool isCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool parseInteger(const char* text, int64_t* value) {
  while (isCSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  if (*text < '0' || *text > '9') return false;
  // Accumulate the magnitude, saturating just beyond the int64 range (and
  // never letting the multiplication wrap round to a small number).
  uint64_t magnitude = 0;
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (magnitude <= limit) {
      magnitude = magnitude > limit / 10 ? limit + 1
                                         : magnitude * 10 + static_cast<uint64_t>(*text - '0');
    }
  }
  if (magnitude > limit) magnitude = limit;
  if (negative) {
    *value = magnitude == limit ? std::numeric_limits<int64_t>::min()
                                : -static_cast<int64_t>(magnitude);
  } else {
    *value = magnitude >= limit ? std::numeric_limits<int64_t>::max()
                                : static_cast<int64_t>(magnitude);
  }
  return true;
}

bool parseReal(const char* text, float* value) {
  while (isCSpace(*text)) ++text;
  const char* number = text;
  bool negative = false;
  if (*number == '+' || *number == '-') negative = *number++ == '-';
  // Plain decimal numbers take the fast exact route; hexadecimal numbers,
  // infinities, NaNs and values out of the float range go through strtof.
  bool decimal = (*number >= '0' && *number <= '9') || *number == '.';
  bool hex = number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
  if (decimal && !hex) {
    float parsed;
    std::from_chars_result result =
        std::from_chars(number, number + std::strlen(number), parsed,
                        std::chars_format::general);
    if (result.ec == std::errc()) {
      *value = negative ? -parsed : parsed;
      return true;
    }
  }
  char* end;
  float parsed = std::strtof(text, &end);
  if (end == text) return false;
  *value = parsed;
  return true;
}
