#include "formats/regions/regions_to_text.h"

#include <cstdint>

namespace {
// Longest name or sound: 254 characters and the terminator fit.
constexpr int kStringChars = 256;
}  // namespace

bool RegionsToTextConverter::convert() {
  output.print("//\n// Warcraft 3 Regions File\n//\n\n");
  int32_t version = getLong();
  int32_t count = getLong();
  output.print(".section Regions (war3map.w3r)\n");
  output.print(".version %d\n", version);
  output.print("\n");

  for (int32_t i = 0; i < count; ++i) {
    float reals[4];
    for (float& real : reals) real = getFloat();
    char name[kStringChars];
    getString(name, kStringChars);
    int32_t number = getLong();
    char weather[8];
    getID(weather);
    char sound[kStringChars];
    getString(sound, kStringChars);
    int color[4];
    for (int& byte : color) byte = getByte();
    output.print(
        ".region %d \"%s\" %f %f %f %f weather %s sound \"%s\" color %d %d %d %d\n",
        number, name, reals[0], reals[1], reals[2], reals[3], weather, sound,
        color[2], color[1], color[0], color[3]);
  }

  output.print("\n");
  output.print(".endSection Regions (war3map.w3r)\n");
  output.print("\n");
  return true;
}
