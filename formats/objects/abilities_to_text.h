// The converter of abilities2txt: war3map.w3a to Abilities.txt.
// All of it but the table's format lies in ObjectTableToTextConverter.
#ifndef FORMATS_OBJECTS_ABILITIES_TO_TEXT_H_
#define FORMATS_OBJECTS_ABILITIES_TO_TEXT_H_

#include <cstdio>

#include "formats/objects/object_table_to_text.h"

class AbilitiesToTextConverter : public ObjectTableToTextConverter {
 public:
  AbilitiesToTextConverter(FILE* input, FILE* output)
      : ObjectTableToTextConverter(input, output, kAbilitiesTable) {}
};

#endif  // FORMATS_OBJECTS_ABILITIES_TO_TEXT_H_
