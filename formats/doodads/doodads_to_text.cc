#include "formats/doodads/doodads_to_text.h"

#include <cstdint>

bool DoodadsToTextConverter::convert() {
  // The ID is checked before anything is printed, so a file of another
  // kind leaves the text empty.
  expectFileID("W3do", "Bad file ID, expected W3do, got %s");
  char id[8];

  output.print("//\n// Warcraft 3 Doodads File\n//\n\n");
  output.print(".section Doodads (war3map.doo)\n");
  int32_t version = getLong();
  output.print(".version %d\n", version);
  const bool extended = version > 7;
  output.print(".long %d\n\n", getLong());

  output.print(".trees\n");
  int32_t trees = getLong();
  for (int32_t i = 0; i < trees; ++i) {
    getID(id);
    int32_t number = getLong();
    float reals[7];  // loc x y z, ang, scale x y z
    for (float& real : reals) real = getFloat();
    int flags = getByte();
    int life = getByte();
    int32_t further[2] = {0, 0};
    if (extended) {
      further[0] = getLong();
      further[1] = getLong();
    }
    int32_t treeID = getLong();

    output.print(
        "  .tree %s %d loc %f %f %f ang %f scale %f %f %f flags %d life %d %d %d ID %d\n", id,
        number, reals[0], reals[1], reals[2], reals[3], reals[4], reals[5], reals[6], flags,
        life, further[0], further[1], treeID);
  }
  output.print(".endTrees\n");
  output.print("\n.long %d\n\n", getLong());

  output.print(".others\n");
  int32_t others = getLong();
  for (int32_t i = 0; i < others; ++i) {
    getID(id);
    int32_t number = getLong();
    int32_t x = getLong();
    int32_t y = getLong();
    output.print("  .other %s %d loc %d %d\n", id, number, x, y);
  }
  output.print(".endOthers\n\n");
  output.print(".endSection Doodads (war3map.doo)\n\n");
  return true;
}
