// txt2imports: Imports.txt back to war3map.imp (layout in imports_to_text.h).
//
// The entry byte is read as a plain integer and stored as its low 8 bits;
// the entry count is the number of `.import` lines read.
#ifndef FORMATS_IMPORTS_TEXT_TO_IMPORTS_H_
#define FORMATS_IMPORTS_TEXT_TO_IMPORTS_H_

#include "framework/text_to_binary.h"

class TextToImportsConverter : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;
  bool convert() override;
};

#endif  // FORMATS_IMPORTS_TEXT_TO_IMPORTS_H_
