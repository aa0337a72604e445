// doodads2txt: war3map.doo to Doodads.txt.
//
// Checks the file ID "W3do", then prints the version, the trees (a version
// above 7 selects the tree record with two more int32 values after the life
// byte; the shorter record prints them as 0 0) and the other doodads.
#ifndef FORMATS_DOODADS_DOODADS_TO_TEXT_H_
#define FORMATS_DOODADS_DOODADS_TO_TEXT_H_

#include "framework/binary_to_text.h"

class DoodadsToTextConverter : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;
  bool convert() override;
};

#endif  // FORMATS_DOODADS_DOODADS_TO_TEXT_H_
