#include "formats/mapunits/text_to_mapunits.h"

#include <cstdint>

namespace {

const char* const kUnitTags[] = {".unit", ".endSection", nullptr};
const char* const kItemSetTags[] = {".itemSet", ".gold", nullptr};
const char* const kItemTags[] = {".item", ".endItemSet", nullptr};

}  // namespace

bool TextToMapUnitsConverter::convert() {
  expectTag(".section", true);
  expect("MapUnits");
  writeID("W3do");

  expectTag(".version", true);
  writeLong(getLong());
  expectTag(".long", true);
  writeLong(getLong());

  beginCount();
  int32_t unitCount = 0;
  while (nextTag(kUnitTags, true) == 0) {
    char id[8];
    getID(id);
    expect("variation");
    int32_t variation = getLong();

    expectTag(".loc", true);
    float loc[3];
    for (float& value : loc) value = getFloat();
    expect("angle");
    float angle = getFloat();

    expectTag(".scale", true);
    float scale[3];
    for (float& value : scale) value = getFloat();

    expectTag(".flags", true);
    int32_t flags = getLong();
    expect("player");
    int32_t player = getLong();
    expect("b1");
    int32_t b1 = getLong();
    expect("b2");
    int32_t b2 = getLong();
    expect("hp");
    int32_t hp = getLong();
    expect("mana");
    int32_t mana = getLong();

    writeID(id);
    writeLong(variation);
    for (float value : loc) writeFloat(value);
    writeFloat(angle);
    for (float value : scale) writeFloat(value);
    writeByte(flags);
    writeLong(player);
    writeByte(b1);
    writeByte(b2);
    writeLong(hp);
    writeLong(mana);

    convertItemSets();

    // convertItemSets() has stepped back to the start of the .gold line.
    expect(".gold");
    int32_t gold = getLong();
    expect("type");
    int32_t type[2];
    for (int32_t& value : type) value = getLong();
    expect("color");
    int32_t color = getLong();
    expect("gate");
    int32_t gate = getLong();
    expect("creation");
    int32_t creation = getLong();
    expect("unknown");
    float unknownReal = getFloat();
    int32_t unknown[3];
    for (int32_t& value : unknown) value = getLong();

    writeLong(gold);
    writeFloat(unknownReal);
    for (int32_t value : unknown) writeLong(value);
    for (int32_t value : type) writeLong(value);
    writeLong(color);
    writeLong(gate);
    writeLong(creation);
    ++unitCount;
  }
  endCount(unitCount);
  expect("MapUnits");
  return true;
}

void TextToMapUnitsConverter::convertItemSets() {
  beginCount();
  int32_t setCount = 0;
  while (nextTag(kItemSetTags, true) == 0) {
    // The rest of the .itemSet line (its item count) is not read: the items
    // are counted as they come.
    beginCount();
    int32_t itemCount = 0;
    while (nextTag(kItemTags, true) == 0) {
      char id[8];
      getID(id);
      expect("chance");
      int32_t chance = getLong();
      writeID(id);
      writeLong(chance);
      ++itemCount;
    }
    endCount(itemCount);
    ++setCount;
  }
  // The .gold line: step back so that its tag is read again as its first word.
  unget();
  endCount(setCount);
}
