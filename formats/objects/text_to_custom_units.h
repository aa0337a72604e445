// The converter of txt2customunits: CustomUnits.txt to war3map.w3u.
// All of it but the table's format lies in TextToObjectTableConverter.
#ifndef FORMATS_OBJECTS_TEXT_TO_CUSTOM_UNITS_H_
#define FORMATS_OBJECTS_TEXT_TO_CUSTOM_UNITS_H_

#include <cstdio>

#include "formats/objects/text_to_object_table.h"

class TextToCustomUnitsConverter : public TextToObjectTableConverter {
 public:
  TextToCustomUnitsConverter(FILE* input, FILE* output)
      : TextToObjectTableConverter(input, output, kCustomUnitsTable) {}
};

#endif  // FORMATS_OBJECTS_TEXT_TO_CUSTOM_UNITS_H_
