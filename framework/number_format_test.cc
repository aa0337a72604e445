#include "framework/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string printfReal(float value) {
  char text[512];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return text;
}

std::string formatted(float value) {
  char text[kMaxRealChars];
  return std::string(text, formatReal(text, value));
}

float fromBits(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, 4);
  return value;
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

TEST(FormatRealTest, MatchesPrintfOnChosenValues) {
  const float values[] = {
      0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 0.1f, 1e-7f, -1e-7f, 4.9999997e-7f, 5e-7f,
      1.5e-6f, 2.5e-6f, 123456.789f, -98765.4321f, 16777216.0f, 3.4028235e38f,
      -3.4028235e38f, 1.17549435e-38f, 1.4e-45f, 9.2233720e18f, 1.8446744e19f,
      std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
      std::nanf(""), -std::nanf("")};
  for (float value : values) {
    EXPECT_EQ(formatted(value), printfReal(value)) << "bits " << std::hex << bitsOf(value);
  }
}

TEST(FormatRealTest, MatchesPrintfAcrossTheBitPatterns) {
  // A stride through every bit pattern reaches all exponents, subnormals
  // and both signs; the rounding of the sixth decimal is checked on each.
  for (uint64_t bits = 0; bits <= 0xffffffffu; bits += 4093) {
    float value = fromBits(static_cast<uint32_t>(bits));
    ASSERT_EQ(formatted(value), printfReal(value)) << "bits " << std::hex << bits;
  }
}

TEST(FormatRealTest, RoundsHalfwayDecimalsToEven) {
  // 2^-9, 2^-10 and 2^-11 are exact in binary and end in a 5 beyond the
  // sixth decimal: ..125, ..5625, ..828125.
  for (float value : {0.001953125f, 0.0009765625f, 0.00048828125f, 0.0000152587890625f}) {
    EXPECT_EQ(formatted(value), printfReal(value));
  }
}

TEST(FormatIntTest, MatchesPrintf) {
  for (int32_t value : {0, 1, -1, 9, 10, -10, 123456789, INT32_MAX, INT32_MIN}) {
    char text[kMaxIntChars];
    char expected[32];
    std::snprintf(expected, sizeof expected, "%d", value);
    EXPECT_EQ(std::string(text, formatInt(text, value)), expected);
    std::snprintf(expected, sizeof expected, "%x", static_cast<unsigned>(value));
    EXPECT_EQ(std::string(text, formatHex(text, static_cast<uint32_t>(value))), expected);
  }
}

TEST(ParseIntegerTest, ReadsTheStartOfTheWordLikeScanf) {
  struct Case {
    const char* text;
    bool ok;
    int64_t value;
  } cases[] = {
      {"5", true, 5},       {"+5", true, 5},      {"-17", true, -17},
      {"12abc", true, 12},  {"0x10", true, 0},    {"007", true, 7},
      {"abc", false, 0},    {"", false, 0},       {"-", false, 0},
      {"+-1", false, 0},    {"\t42", true, 42},   {"4294967295", true, 4294967295LL},
      {"99999999999999999999999", true, INT64_MAX},
      {"-99999999999999999999999", true, INT64_MIN},
      // Digits that would wrap the 64-bit accumulator to a small number.
      {"18446744073709551616", true, INT64_MAX},
      {"92233720368547758080", true, INT64_MAX},
      {"-18446744073709551617", true, INT64_MIN},
  };
  for (const Case& c : cases) {
    int64_t value = -12345;
    EXPECT_EQ(parseInteger(c.text, &value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(ParseRealTest, AgreesWithStrtofBitForBit) {
  const char* texts[] = {
      "1.5",       "+5",       "-0",         ".5",       "5.",       "1e3",
      "-2.5E-3",   "1e",       "1e+",        "0x10",     "0x1p-3",   "inf",
      "-infinity", "nan",      "3.4028236e38", "1e39",   "1e-46",    "1.4e-45",
      "123456.789012", "0.000001", "12abc",  "16777217", "7.006492e-46",
  };
  for (const char* text : texts) {
    float value = 0;
    ASSERT_TRUE(parseReal(text, &value)) << text;
    float expected = std::strtof(text, nullptr);
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(value)) << text;
    } else {
      EXPECT_EQ(bitsOf(value), bitsOf(expected)) << text;
    }
  }
}

TEST(ParseRealTest, RoundsOnceStraightToFloat) {
  // Just above the midpoint between 1 and the next float. Rounded to double
  // first it lands exactly on the midpoint, and then ties to even give 1.
  float value;
  ASSERT_TRUE(parseReal("1.0000000596046448", &value));
  EXPECT_EQ(value, std::nextafter(1.0f, 2.0f));
  EXPECT_NE(value, static_cast<float>(std::strtod("1.0000000596046448", nullptr)));
}

TEST(ParseRealTest, RejectsTextsWithoutANumber) {
  for (const char* text : {"", "abc", ".", "-", "+.e5", "e5"}) {
    float value;
    EXPECT_FALSE(parseReal(text, &value)) << text;
  }
}

TEST(ParseRealTest, AgreesWithStrtofOnRandomNumbers) {
  std::mt19937 random(12345);
  const char alphabet[] = "0123456789.e-+";
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    int length = 1 + static_cast<int>(random() % 24);
    for (int j = 0; j < length; ++j) text += alphabet[random() % (sizeof alphabet - 1)];
    char* end;
    float expected = std::strtof(text.c_str(), &end);
    float value = 0;
    bool ok = parseReal(text.c_str(), &value);
    ASSERT_EQ(ok, end != text.c_str()) << text;
    if (ok) {
      ASSERT_EQ(bitsOf(value), bitsOf(expected)) << text;
    }
  }
}

TEST(RealRoundTripTest, SixDecimalsGiveBackTheFloatWhenTheyPinItDown) {
  // 0.1f prints as 0.100000, which reads back as the same float; 1e-7f
  // prints as 0.000000 and does not come back.
  float value;
  ASSERT_TRUE(parseReal(formatted(0.1f).c_str(), &value));
  EXPECT_EQ(value, 0.1f);
  ASSERT_TRUE(parseReal(formatted(1e-7f).c_str(), &value));
  EXPECT_EQ(value, 0.0f);
}

}  // namespace
