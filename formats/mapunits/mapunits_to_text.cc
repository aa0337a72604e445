#include "formats/mapunits/mapunits_to_text.h"

#include <cstdint>

bool MapUnitsToTextConverter::convert() {
  expectFileID("W3do", "Bad file ID, expected W3do, got %s");
  char id[8];

  output.write("//\n// Warcraft 3 Map Units File\n//\n\n");
  output.write(".section MapUnits (war3mapUnits.doo)\n");
  int32_t version = getLong();
  output.print(".version %d\n", version);
  int32_t longValue = getLong();
  output.print(".long %d\n", longValue);

  int32_t unitCount = getLong();
  for (int32_t unit = 0; unit < unitCount; ++unit) {
    output.write("\n");
    getID(id);
    int32_t variation = getLong();
    float loc[3];
    for (float& value : loc) value = getFloat();
    float angle = getFloat();
    float scale[3];
    for (float& value : scale) value = getFloat();
    int flags = getByte();
    int32_t player = getLong();
    int b1 = getByte();
    int b2 = getByte();
    int32_t hp = getLong();
    int32_t mana = getLong();
    int32_t itemSetCount = getLong();
    output.print(".unit %s variation %d\n", id, variation);
    output.print(".loc %f %f %f angle %f\n", loc[0], loc[1], loc[2], angle);
    output.print(".scale %f %f %f\n", scale[0], scale[1], scale[2]);
    output.print(".flags %d player %d b1 %d b2 %d hp %d mana %d\n", flags, player, b1, b2,
                 hp, mana);

    // The counts are counted down and tested for zero only: a negative count
    // (taken as its 32 bits, so it cannot overflow) reads on until the input
    // runs out and a read fails.
    for (uint32_t sets = static_cast<uint32_t>(itemSetCount); sets != 0; --sets) {
      int32_t itemCount = getLong();
      output.print("  .itemSet %d items\n", itemCount);
      for (uint32_t items = static_cast<uint32_t>(itemCount); items != 0; --items) {
        getID(id);
        int32_t chance = getLong();
        output.print("    .item %s chance %d\n", id, chance);
      }
      output.write("  .endItemSet\n");
    }

    int32_t gold = getLong();
    float unknownReal = getFloat();
    int32_t unknown[3];
    for (int32_t& value : unknown) value = getLong();
    int32_t type[2];
    for (int32_t& value : type) value = getLong();
    int32_t color = getLong();
    int32_t gate = getLong();
    int32_t creation = getLong();
    output.print(".gold %d type %d %d color %d gate %d creation %d unknown %f %d %d %d\n",
                 gold, type[0], type[1], color, gate, creation, unknownReal, unknown[0],
                 unknown[1], unknown[2]);
  }

  output.write("\n.endSection MapUnits (war3mapUnits.doo)\n\n");
  return true;
}
