// The converter of txt2abilities: Abilities.txt to war3map.w3a.
// All of it but the table's format lies in TextToObjectTableConverter.
#ifndef FORMATS_OBJECTS_TEXT_TO_ABILITIES_H_
#define FORMATS_OBJECTS_TEXT_TO_ABILITIES_H_

#include <cstdio>

#include "formats/objects/text_to_object_table.h"

class TextToAbilitiesConverter : public TextToObjectTableConverter {
 public:
  TextToAbilitiesConverter(FILE* input, FILE* output)
      : TextToObjectTableConverter(input, output, kAbilitiesTable) {}
};

#endif  // FORMATS_OBJECTS_TEXT_TO_ABILITIES_H_
