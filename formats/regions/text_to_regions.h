// txt2regions: Regions.txt back to war3map.w3r.
//
// Writes the version, then each ".region" line as one region record once
// the whole line has been parsed; the region count is filled in at the end.
// The colour numbers are taken in text order t1 t2 t3 t4 and written as
// the bytes t3 t2 t1 t4 (low 8 bits each).
#ifndef FORMATS_REGIONS_TEXT_TO_REGIONS_H_
#define FORMATS_REGIONS_TEXT_TO_REGIONS_H_

#include "framework/text_to_binary.h"

class TextToRegionsConverter : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;
  bool convert() override;
};

#endif  // FORMATS_REGIONS_TEXT_TO_REGIONS_H_
