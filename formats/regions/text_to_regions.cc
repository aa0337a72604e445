#include "formats/regions/text_to_regions.h"

#include <cstdint>

namespace {
// Longest name or sound: 254 characters between the quotes.
constexpr int kStringChars = 256;
const char* const kRegionTags[] = {".region", ".endSection", nullptr};
}  // namespace

bool TextToRegionsConverter::convert() {
  expectTag(".section", true);
  expect("Regions");
  expectTag(".version", true);
  writeLong(getLong());

  beginCount();
  int32_t regions = 0;
  while (nextTag(kRegionTags, true) == 0) {
    // The whole line is parsed before anything of the record is written,
    // so a line that fails leaves no part of its record behind.
    int32_t number = getLong();
    char name[kStringChars];
    getQuotedString(name, kStringChars);
    float reals[4];
    for (float& real : reals) real = getFloat();
    expect("weather");
    char weather[8];
    getID(weather);
    expect("sound");
    char sound[kStringChars];
    getQuotedString(sound, kStringChars);
    expect("color");
    int32_t color[4];
    for (int32_t& value : color) value = getLong();

    for (float real : reals) writeFloat(real);
    writeString(name);
    writeLong(number);
    writeID(weather);
    writeString(sound);
    writeByte(color[2]);
    writeByte(color[1]);
    writeByte(color[0]);
    writeByte(color[3]);
    ++regions;
  }
  endCount(regions);

  expect("Regions");
  return true;
}
