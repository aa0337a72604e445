#include "formats/objects/object_table_to_text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char kSeparator[] =
    "//###########################################"
    "###########################################\n";
static_assert(sizeof kSeparator == 2 + 86 + 1 + 1, "two slashes, 86 number signs");

constexpr char kTriggerStringPrefix[] = "TRIGSTR_";

}  // namespace

ObjectTableToTextConverter::ObjectTableToTextConverter(FILE* input, FILE* output,
                                                       const ObjectTableFormat& format)
    : BinaryToTextConverter(input, output), format(format) {}

void ObjectTableToTextConverter::setFilterMode(bool on) { filterMode = on; }

bool ObjectTableToTextConverter::convert() {
  output.print("//\n// Warcraft 3 %s File\n//\n\n", format.kind);
  output.print(".section %s (%s)\n", format.section, format.binaryFile);
  int32_t version = getLong();
  output.print(".version %d\n\n", version);

  convertTable(".standardTable\n");
  output.write("\n.endTable\n\n");
  output.write(kSeparator);
  output.write("\n");

  convertTable(".newTable\n");
  output.write("\n.endTable\n\n");
  output.print(".endSection %s (%s)\n\n", format.section, format.binaryFile);

  // Bytes after the new table are neither read nor reproduced.
  closeStreams();
  return true;
}

// One table: its unit count, the table's opening line (printed once the
// count is read) and that many unit records (none when the count is zero or
// negative).
void ObjectTableToTextConverter::convertTable(const char* openingLine) {
  int32_t units = getLong();
  output.write(openingLine);
  for (int32_t unit = 0; unit < units; ++unit) {
    char baseId[8];
    char newId[8];
    getID(baseId);
    getID(newId);
    int32_t modifications = getLong();
    output.print("\n  .unit %s %s\n", baseId, newId);
    for (int32_t modification = 0; modification < modifications; ++modification) {
      convertModification();
    }
    output.write("  .endUnit\n");
  }
}

void ObjectTableToTextConverter::convertModification() {
  char field[8];
  getID(field);
  int32_t type = getLong();
  if (!isValueType(type)) failWith("Unknown mod type %d", type);
  int32_t extra[2] = {};
  for (int i = 0; i < format.extraIntegers; ++i) extra[i] = getLong();

  float real = 0;
  int32_t integer = 0;
  char text[kMaxStringValueBytes + 1];
  if (storesReal(type)) {
    real = getFloat();
  } else if (storesString(type)) {
    // Read byte by byte up to the zero byte; a longer value than the buffer
    // holds is refused rather than cut.
    int length = 0;
    for (;;) {
      int byte = input.readByte();
      if (byte < 0) failWith("Unexpected end-of-file while getting mod");
      if (byte == 0) break;
      if (length == kMaxStringValueBytes) {
        failWith("String value of mod %s longer than %d bytes", field,
                 kMaxStringValueBytes);
      }
      text[length++] = static_cast<char>(byte);
    }
    text[length] = '\0';
  } else {
    integer = getLong();
  }
  int32_t endMarker = getLong();

  if (filterMode &&
      !(storesString(type) &&
        std::strncmp(text, kTriggerStringPrefix, sizeof kTriggerStringPrefix - 1) == 0)) {
    return;
  }
  output.print("    .mod %s %s", field, kValueTypeNames[type]);
  for (int i = 0; i < format.extraIntegers; ++i) output.print(" %d", extra[i]);
  output.print(" %d ", endMarker);
  if (storesReal(type)) {
    output.writeReal(real);
  } else if (storesString(type)) {
    // As it stands: not quoted, nothing dropped or escaped.
    output.write(text, std::strlen(text));
  } else {
    output.writeInt(integer);
  }
  output.put('\n');
}
