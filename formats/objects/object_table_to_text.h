// The binary-to-text side shared by the two object modification tables:
// war3map.w3u (CustomUnitsToTextConverter) and war3map.w3a
// (AbilitiesToTextConverter) differ only in their ObjectTableFormat.
#ifndef FORMATS_OBJECTS_OBJECT_TABLE_TO_TEXT_H_
#define FORMATS_OBJECTS_OBJECT_TABLE_TO_TEXT_H_

#include <cstdio>

#include "formats/objects/value_types.h"
#include "framework/binary_to_text.h"

class ObjectTableToTextConverter : public BinaryToTextConverter {
 public:
  // Prints the standard and the new table, then closes both streams.
  bool convert() override;

  // In filter mode only the string values that begin with "TRIGSTR_" are
  // printed; every table, unit and .endUnit line is printed all the same.
  virtual void setFilterMode(bool on);

 protected:
  ObjectTableToTextConverter(FILE* input, FILE* output, const ObjectTableFormat& format);

  // Reads one modification record and prints its .mod line.
  void convertModification();

  bool filterMode = false;

 private:
  void convertTable(const char* openingLine);

  const ObjectTableFormat& format;
};

#endif  // FORMATS_OBJECTS_OBJECT_TABLE_TO_TEXT_H_
