// The converter of customunits2txt: war3map.w3u to CustomUnits.txt.
// All of it but the table's format lies in ObjectTableToTextConverter.
#ifndef FORMATS_OBJECTS_CUSTOM_UNITS_TO_TEXT_H_
#define FORMATS_OBJECTS_CUSTOM_UNITS_TO_TEXT_H_

#include <cstdio>

#include "formats/objects/object_table_to_text.h"

class CustomUnitsToTextConverter : public ObjectTableToTextConverter {
 public:
  CustomUnitsToTextConverter(FILE* input, FILE* output)
      : ObjectTableToTextConverter(input, output, kCustomUnitsTable) {}
};

#endif  // FORMATS_OBJECTS_CUSTOM_UNITS_TO_TEXT_H_
