// mapunits2txt: war3mapUnits.doo to MapUnits.txt.
//
// The file starts with the ID "W3do", a version, a long and the unit count;
// each unit record follows in file order. Every version is read with the one
// record layout, so a file whose records differ from it goes out of step and
// ends with the message of the read that fails.
#ifndef FORMATS_MAPUNITS_MAPUNITS_TO_TEXT_H_
#define FORMATS_MAPUNITS_MAPUNITS_TO_TEXT_H_

#include "framework/binary_to_text.h"

class MapUnitsToTextConverter : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;

  bool convert() override;
};

#endif  // FORMATS_MAPUNITS_MAPUNITS_TO_TEXT_H_
