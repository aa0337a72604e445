#include "formats/info/text_to_info.h"

#include <cstdint>

namespace {

const char* const kPlayerTags[] = {".player", ".endPlayers", nullptr};
const char* const kForceTags[] = {".force", ".endForces", nullptr};
const char* const kUpgradeTags[] = {".research", ".endUpgrades", nullptr};
const char* const kTechTags[] = {".ability", ".endTech", nullptr};

}  // namespace

void TextToInfoConverter::convertString(const char* tag, int maxchars, bool write) {
  char text[1024];
  expectTag(tag, true);
  getQuotedString(text, maxchars);
  if (write) writeString(text);
}

bool TextToInfoConverter::convert() {
  expectTag(".section", true);
  expect("Info");

  expectTag(".version", true);
  int32_t version = getLong();
  writeLong(version);
  bool extended = version > 18;
  expect("saves");
  writeLong(getLong());
  expect("editorRevision");
  writeLong(getLong());

  convertString(".name", 256);
  convertString(".author", 256);
  convertString(".description", 1024);
  convertString(".players", 256);

  expectTag(".cameraBounds", true);
  for (int i = 0; i < 8; ++i) writeFloat(getFloat());

  expectTag(".playableBounds", true);
  for (int i = 0; i < 4; ++i) writeLong(getLong());
  expect("w");
  writeLong(getLong());
  expect("h");
  writeLong(getLong());

  expectTag(".flags", true);
  writeLong(getLong());
  expect("groundType");
  writeByte(getLong());
  expect("background");
  writeLong(getLong());

  // The short layout has no loading model: the line must be there, but what
  // it holds is not read.
  if (extended) {
    convertString(".loadingModel", 256);
  } else {
    expectTag(".loadingModel", true);
  }
  convertString(".loadingText", 1024);
  convertString(".loadingTitle", 256);
  convertString(".loadingSubtitle", 256);

  expectTag(".dataSet", true);
  writeLong(getLong());

  // The prologue path is read in both layouts and written in the extended
  // one only.
  convertString(".prologuePath", 256, extended);
  convertString(".prologueText", 1024);
  convertString(".prologueTitle", 256);
  convertString(".prologueSubtitle", 256);

  expectTag(".fog", true);
  if (extended) {
    writeLong(getLong());
    expect("zRange");
    writeFloat(getFloat());
    writeFloat(getFloat());
    expect("density");
    writeFloat(getFloat());
    expect("color");
    for (int i = 0; i < 4; ++i) writeByte(getLong());
  }
  expectTag(".weather", true);
  if (extended) {
    writeLong(getLong());
    expect("soundEnvironment");
    char soundEnvironment[256];
    getQuotedString(soundEnvironment, 256);
    writeString(soundEnvironment);
  }
  expectTag(".customTileset", true);
  if (extended) {
    writeByte(getLong());
    expect("waterTint");
    for (int i = 0; i < 4; ++i) writeByte(getLong());
  }

  char name[256];
  char id[8];

  expectTag(".players", true);
  beginCount();
  int32_t playerCount = 0;
  while (nextTag(kPlayerTags, true) == 0) {
    getQuotedString(name, 256);
    int32_t number = getLong();
    expect("type");
    int32_t type = getLong();
    expect("race");
    int32_t race = getLong();
    expect("fixed");
    int32_t fixed = getLong();
    expect("loc");
    float loc[2];
    for (float& value : loc) value = getFloat();
    expect("allies");
    int32_t allies[2];
    for (int32_t& value : allies) value = getLong();
    writeLong(number);
    writeLong(type);
    writeLong(race);
    writeLong(fixed);
    writeString(name);
    for (float value : loc) writeFloat(value);
    for (int32_t value : allies) writeLong(value);
    ++playerCount;
  }
  endCount(playerCount);

  expectTag(".forces", true);
  beginCount();
  int32_t forceCount = 0;
  while (nextTag(kForceTags, true) == 0) {
    getQuotedString(name, 256);
    expect("flags");
    int32_t flags = getLong();
    expect("playerMask");
    int32_t playerMask = getLong();
    writeLong(flags);
    writeLong(playerMask);
    writeString(name);
    ++forceCount;
  }
  endCount(forceCount);

  expectTag(".upgrades", true);
  beginCount();
  int32_t upgradeCount = 0;
  while (nextTag(kUpgradeTags, true) == 0) {
    getID(id);
    expect("playerMask");
    int32_t playerMask = getLong();
    expect("levels");
    int32_t levels[2];
    for (int32_t& value : levels) value = getLong();
    writeLong(playerMask);
    writeID(id);
    for (int32_t value : levels) writeLong(value);
    ++upgradeCount;
  }
  endCount(upgradeCount);

  expectTag(".tech", true);
  beginCount();
  int32_t techCount = 0;
  while (nextTag(kTechTags, true) == 0) {
    getID(id);
    expect("playerMask");
    int32_t playerMask = getLong();
    writeLong(playerMask);
    writeID(id);
    ++techCount;
  }
  endCount(techCount);

  expectTag(".long", true);
  writeLong(getLong());

  expectTag(".endSection", true);
  expect("Info");
  return true;
}
