// imports2txt: war3map.imp, the list of files a map imports, to Imports.txt.
//
//   offset 0  int32  version (carried unchanged)
//   offset 4  int32  entry count
//   offset 8  entries: u8 entry byte, zero-terminated file name
//
// Each entry becomes `.import <byte> "<name>"`.
#ifndef FORMATS_IMPORTS_IMPORTS_TO_TEXT_H_
#define FORMATS_IMPORTS_IMPORTS_TO_TEXT_H_

#include "framework/binary_to_text.h"

class ImportsToTextConverter : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;
  bool convert() override;
};

#endif  // FORMATS_IMPORTS_IMPORTS_TO_TEXT_H_
