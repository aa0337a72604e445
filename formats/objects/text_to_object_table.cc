#include "formats/objects/text_to_object_table.h"

#include <cstdint>
#include <cstring>

namespace {

const char* const kTableTags[] = {".unit", ".endTable", nullptr};
const char* const kUnitTags[] = {".mod", ".endUnit", nullptr};

constexpr int kUnitIDChars = 256;
constexpr int kTypeWordChars = 1024;

}  // namespace

TextToObjectTableConverter::TextToObjectTableConverter(FILE* input, FILE* output,
                                                       const ObjectTableFormat& format)
    : TextToBinaryConverter(input, output), format(format) {}

void TextToObjectTableConverter::setFilterMode(bool on) { filterMode = on; }

bool TextToObjectTableConverter::convert() {
  expectTag(".section", true);
  expect(format.section);
  expectTag(".version", true);
  writeLong(getLong());

  expectTag(".standardTable", true);
  convertUnits();
  expectTag(".newTable", true);
  convertUnits();

  expectTag(".endSection", true);
  expect(format.section);
  return true;
}

// The unit records of one table, up to its .endTable, under a counted
// section for the table's unit count.
void TextToObjectTableConverter::convertUnits() {
  beginCount();
  int32_t units = 0;
  while (nextTag(kTableTags, true) == 0) {
    char baseId[kUnitIDChars];
    char newId[kUnitIDChars];
    getUnitID(baseId, kUnitIDChars);
    getUnitID(newId, kUnitIDChars);
    writeID(baseId);
    writeID(newId);
    beginCount();
    int32_t modifications = 0;
    while (nextTag(kUnitTags, true) == 0) {
      if (filterMode) continue;
      convertModification();
      ++modifications;
    }
    endCount(modifications);
    ++units;
  }
  endCount(units);
}

// The word as it stands; its length is not checked, and writeID takes its
// first four bytes. The buffer is cleared first, so a word of one to three
// characters is completed by zero bytes, as getID completes a short field
// identifier.
void TextToObjectTableConverter::getUnitID(char* buffer, int maxchars) {
  std::memset(buffer, 0, static_cast<std::size_t>(maxchars));
  getString(buffer, maxchars);
}

void TextToObjectTableConverter::convertModification() {
  char field[8];
  getID(field);
  writeID(field);

  char typeWord[kTypeWordChars];
  getString(typeWord, kTypeWordChars);
  int32_t type = lookup(typeWord, kValueTypeNames, true);
  writeLong(type);

  for (int i = 0; i < format.extraIntegers; ++i) writeLong(getLong());
  int32_t endMarker = getLong();

  if (storesReal(type)) {
    writeFloat(getFloat());
  } else if (storesString(type)) {
    // The rest of the line after the blank that ended the end marker, as it
    // stands: blanks at either end belong to the value, and it is empty when
    // the line ends with the end marker.
    std::size_t length = std::strlen(readPosition);
    // A line that fills the whole line buffer may go on in the next piece
    // the reader takes; the value would then be cut.
    if (readPosition + length >= line + kMaxLineChars) {
      failWith("String value of mod %s is too long: its line reaches %d characters",
               field, kMaxLineChars);
    }
    if (!output.write(readPosition, length + 1)) failWith("Error writing string");
    readPosition += length;
  } else {
    writeLong(getLong());
  }
  writeLong(endMarker);
}
