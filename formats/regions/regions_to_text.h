// regions2txt: war3map.w3r to Regions.txt.
//
// Prints the version, then one ".region" line per region record. The four
// colour bytes are printed third, second, first, fourth.
#ifndef FORMATS_REGIONS_REGIONS_TO_TEXT_H_
#define FORMATS_REGIONS_REGIONS_TO_TEXT_H_

#include "framework/binary_to_text.h"

class RegionsToTextConverter : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;
  bool convert() override;
};

#endif  // FORMATS_REGIONS_REGIONS_TO_TEXT_H_
