// txt2doodads: Doodads.txt back to war3map.doo.
//
// Writes the file ID "W3do", the version and the two lists; each record is
// written once its whole line has been parsed, and both counts are filled
// in when their list ends. With a version of 7 or less the two values after
// the life byte are parsed but not written.
#ifndef FORMATS_DOODADS_TEXT_TO_DOODADS_H_
#define FORMATS_DOODADS_TEXT_TO_DOODADS_H_

#include "framework/text_to_binary.h"

class TextToDoodadsConverter : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;
  bool convert() override;
};

#endif  // FORMATS_DOODADS_TEXT_TO_DOODADS_H_
