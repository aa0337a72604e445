// Number conversions of the text form, exact and without the printf/scanf
// machinery: every converter formats and parses numbers on its hot path.
//
// formatInt and formatReal give exactly the bytes of C's "%d" and of "%f"
// applied to the float widened to double (six digits after the point, no
// exponent, "inf"/"nan" as glibc prints them). parseInteger and parseReal read
// the start of a text like "%d" and "%f" do: leading white space, an optional
// sign, then the longest number; the rest of the text is ignored.
#ifndef FRAMEWORK_NUMBER_FORMAT_H_
#define FRAMEWORK_NUMBER_FORMAT_H_

#include <cstddef>
#include <cstdint>

// Room enough for any formatted int32 ("-2147483648").
constexpr std::size_t kMaxIntChars = 12;
// Room enough for any formatted float: 39 integer digits of FLT_MAX, the
// point, six decimals and a sign.
constexpr std::size_t kMaxRealChars = 48;

// Writes value as "%d" does and returns the end of what was written.
char* formatInt(char* out, int32_t value);

// Writes value as "%x" does (lower-case hexadecimal of the 32 bits).
char* formatHex(char* out, uint32_t value);

// Writes value as "%f" does with the float widened to double.
char* formatReal(char* out, float value);

// Reads a decimal integer from the start of text as "%d" does, into 64
// bits (a number beyond them saturates). Returns false when the text does
// not start with a number.
bool parseInteger(const char* text, int64_t* value);

// Reads a real from the start of text as "%f" into a float does: the decimal
// or hexadecimal number is rounded once, straight to float (strtof, not a
// double rounded again). Returns false when the text does not start with a
// number.
bool parseReal(const char* text, float* value);

#endif  // FRAMEWORK_NUMBER_FORMAT_H_
