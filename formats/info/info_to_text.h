// info2txt: war3map.w3i to Info.txt.
//
// The version, the first field, selects the layout: above 18 the file
// carries the loading model, the prologue path and the fog, weather and
// water fields; at 18 or less it does not, and the text shows fixed values
// in their place. Nothing after the last field (the long) is read.
#ifndef FORMATS_INFO_INFO_TO_TEXT_H_
#define FORMATS_INFO_INFO_TO_TEXT_H_

#include "framework/binary_to_text.h"

class InfoToTextConverter : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;

  bool convert() override;

 private:
  // Reads a string of at most maxchars - 2 characters and prints it as
  // tag "string" .end on a line of its own.
  void convertString(const char* tag, int maxchars);
};

#endif  // FORMATS_INFO_INFO_TO_TEXT_H_
