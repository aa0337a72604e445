#include "formats/imports/imports_to_text.h"

bool ImportsToTextConverter::convert() {
  output.print("//\n// Warcraft 3 Imports File\n//\n\n");
  int32_t version = getLong();
  int32_t count = getLong();
  output.print(".section Imports (war3map.imp)\n");
  output.print(".version %d\n", version);
  output.print("\n");
  for (int32_t i = 0; i < count; ++i) {
    int entryByte = getByte();
    char name[256];
    getString(name, sizeof name);
    output.print(".import %d \"%s\"\n", entryByte, name);
  }
  output.print("\n");
  output.print(".endSection Imports (war3map.imp)\n");
  output.print("\n");
  return true;
}
