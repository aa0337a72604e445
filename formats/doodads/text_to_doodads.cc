#include "formats/doodads/text_to_doodads.h"

#include <cstdint>

namespace {
const char* const kTreeTags[] = {".tree", ".endTrees", nullptr};
const char* const kOtherTags[] = {".other", ".endOthers", nullptr};
}  // namespace

bool TextToDoodadsConverter::convert() {
  expectTag(".section", true);
  expect("Doodads");
  writeID("W3do");
  expectTag(".version", true);
  int32_t version = getLong();
  writeLong(version);
  const bool extended = version > 7;
  expectTag(".long", true);
  writeLong(getLong());

  expectTag(".trees", true);
  beginCount();
  int32_t trees = 0;
  char id[8];
  while (nextTag(kTreeTags, true) == 0) {
    getID(id);
    int32_t number = getLong();
    float reals[7];  // loc x y z, ang, scale x y z
    expect("loc");
    for (int i = 0; i < 3; ++i) reals[i] = getFloat();
    expect("ang");
    reals[3] = getFloat();
    expect("scale");
    for (int i = 4; i < 7; ++i) reals[i] = getFloat();
    expect("flags");
    int32_t flags = getLong();
    expect("life");
    int32_t life = getLong();
    int32_t further[2];
    further[0] = getLong();
    further[1] = getLong();
    expect("ID");
    int32_t treeID = getLong();

    writeID(id);
    writeLong(number);
    for (float real : reals) writeFloat(real);
    writeByte(flags);
    writeByte(life);
    if (extended) {
      writeLong(further[0]);
      writeLong(further[1]);
    }
    writeLong(treeID);
    ++trees;
  }
  endCount(trees);

  expectTag(".long", true);
  writeLong(getLong());

  expectTag(".others", true);
  beginCount();
  int32_t others = 0;
  while (nextTag(kOtherTags, true) == 0) {
    getID(id);
    int32_t number = getLong();
    expect("loc");
    int32_t x = getLong();
    int32_t y = getLong();
    writeID(id);
    writeLong(number);
    writeLong(x);
    writeLong(y);
    ++others;
  }
  endCount(others);

  expectTag(".endSection", true);
  expect("Doodads");
  return true;
}
