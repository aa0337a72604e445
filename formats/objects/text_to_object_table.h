// The text-to-binary side shared by the two object modification tables:
// CustomUnits.txt (TextToCustomUnitsConverter) and Abilities.txt
// (TextToAbilitiesConverter) differ only in their ObjectTableFormat.
#ifndef FORMATS_OBJECTS_TEXT_TO_OBJECT_TABLE_H_
#define FORMATS_OBJECTS_TEXT_TO_OBJECT_TABLE_H_

#include <cstdio>

#include "formats/objects/value_types.h"
#include "framework/text_to_binary.h"

class TextToObjectTableConverter : public TextToBinaryConverter {
 public:
  bool convert() override;

  // In filter mode the .mod lines are skipped unread: every unit record is
  // written with no modifications.
  virtual void setFilterMode(bool on);

 protected:
  TextToObjectTableConverter(FILE* input, FILE* output, const ObjectTableFormat& format);

  // Parses the arguments of the current .mod line and writes the record.
  void convertModification();

  bool filterMode = false;

 private:
  void convertUnits();
  // A unit identifier: a plain word whose first four bytes are written.
  void getUnitID(char* buffer, int maxchars);

  const ObjectTableFormat& format;
};

#endif  // FORMATS_OBJECTS_TEXT_TO_OBJECT_TABLE_H_
