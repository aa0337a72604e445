#include "formats/info/info_to_text.h"

#include <cstdint>

void InfoToTextConverter::convertString(const char* tag, int maxchars) {
  char text[1024];
  getString(text, maxchars);
  // Printed as it stands: a line break inside the value runs on to the next
  // line of the text.
  output.print("%s \"%s\" .end\n", tag, text);
}

bool InfoToTextConverter::convert() {
  output.write("//\n// Warcraft 3 Info File\n//\n\n");
  output.write(".section Info (war3map.w3i)\n");

  int32_t version = getLong();
  int32_t saves = getLong();
  int32_t editorRevision = getLong();
  bool extended = version > 18;
  output.print(".version %d saves %d editorRevision %d\n\n", version, saves, editorRevision);

  convertString(".name", 256);
  convertString(".author", 256);
  convertString(".description", 1024);
  convertString(".players", 256);

  output.write(".cameraBounds");
  for (int i = 0; i < 8; ++i) output.print(" %f", getFloat());
  output.write("\n");
  int32_t playable[4];
  for (int32_t& value : playable) value = getLong();
  int32_t w = getLong();
  int32_t h = getLong();
  int32_t flags = getLong();
  int groundType = getByte();
  int32_t background = getLong();
  output.write(".playableBounds");
  for (int32_t value : playable) output.print(" %d", value);
  output.print(" w %d h %d\n", w, h);
  output.print(".flags %d groundType %d background %d\n\n", flags, groundType, background);

  if (extended) {
    convertString(".loadingModel", 256);
  } else {
    output.write(".loadingModel \"\" .end\n");
  }
  convertString(".loadingText", 1024);
  convertString(".loadingTitle", 256);
  convertString(".loadingSubtitle", 256);
  output.print(".dataSet %d\n\n", getLong());

  if (extended) {
    convertString(".prologuePath", 256);
  } else {
    output.write(".prologuePath \"\" .end\n");
  }
  convertString(".prologueText", 1024);
  convertString(".prologueTitle", 256);
  convertString(".prologueSubtitle", 256);
  output.write("\n");

  int32_t fog = 0;
  float zRange[2] = {0, 0};
  float density = 0;
  int color[4] = {0, 0, 0, 0};
  int32_t weather = 0;
  char soundEnvironment[256] = "";
  int customTileset = 63;
  int waterTint[4] = {0, 0, 0, 0};
  if (extended) {
    fog = getLong();
    for (float& value : zRange) value = getFloat();
    density = getFloat();
    for (int& value : color) value = getByte();
    weather = getLong();
    getString(soundEnvironment, 256);
    customTileset = getByte();
    for (int& value : waterTint) value = getByte();
  }
  output.print(".fog %d zRange %f %f density %f color %d %d %d %d\n", fog, zRange[0],
               zRange[1], density, color[0], color[1], color[2], color[3]);
  output.print(".weather %d soundEnvironment  \"%s\"\n", weather, soundEnvironment);
  output.print(".customTileset %d waterTint %d %d %d %d\n\n", customTileset, waterTint[0],
               waterTint[1], waterTint[2], waterTint[3]);

  char name[256];
  char id[8];

  int32_t playerCount = getLong();
  output.write(".players\n");
  for (int32_t i = 0; i < playerCount; ++i) {
    int32_t number = getLong();
    int32_t type = getLong();
    int32_t race = getLong();
    int32_t fixed = getLong();
    getString(name, 256);
    float loc[2];
    for (float& value : loc) value = getFloat();
    int32_t allies[2];
    for (int32_t& value : allies) value = getLong();
    output.print("  .player \"%s\" %d type %d race %d fixed %d loc %f %f allies %d %d\n", name,
                 number, type, race, fixed, loc[0], loc[1], allies[0], allies[1]);
  }
  output.write(".endPlayers\n\n");

  int32_t forceCount = getLong();
  output.write(".forces\n");
  for (int32_t i = 0; i < forceCount; ++i) {
    int32_t forceFlags = getLong();
    int32_t playerMask = getLong();
    getString(name, 256);
    output.print("  .force \"%s\" flags %d playerMask %d\n", name, forceFlags, playerMask);
  }
  output.write(".endForces\n\n");

  int32_t upgradeCount = getLong();
  output.write(".upgrades\n");
  for (int32_t i = 0; i < upgradeCount; ++i) {
    int32_t playerMask = getLong();
    getID(id);
    int32_t levels[2];
    for (int32_t& value : levels) value = getLong();
    output.print("  .research %s playerMask %d levels %d %d\n", id, playerMask, levels[0],
                 levels[1]);
  }
  output.write(".endUpgrades\n\n");

  int32_t techCount = getLong();
  output.write(".tech\n");
  for (int32_t i = 0; i < techCount; ++i) {
    int32_t playerMask = getLong();
    getID(id);
    output.print("  .ability %s playerMask %d\n", id, playerMask);
  }
  output.write(".endTech\n\n");

  output.print(".long %d\n\n", getLong());
  output.write(".endSection Info (war3map.w3i)\n\n");
  return true;
}
