#include "formats/imports/text_to_imports.h"

bool TextToImportsConverter::convert() {
  expectTag(".section", true);
  expect("Imports");
  expectTag(".version", true);
  writeLong(getLong());

  static const char* const kTags[] = {".import", ".endSection", nullptr};
  beginCount();
  int32_t entries = 0;
  while (nextTag(kTags, true) == 0) {
    int32_t entryByte = getLong();
    char name[256];
    getQuotedString(name, sizeof name);
    writeByte(entryByte);
    writeString(name);
    ++entries;
  }
  endCount(entries);
  expect("Imports");
  return true;
}
