// txt2mapunits: MapUnits.txt back to war3mapUnits.doo.
//
// The counts of the file are counted from the text: the unit count from the
// .unit blocks, each unit's item-set count from its .itemSet blocks and each
// item set's item count from its .item lines. The number printed on an
// .itemSet line is there for the reader and is not read, so adding or
// removing an .item line still gives a consistent file.
#ifndef FORMATS_MAPUNITS_TEXT_TO_MAPUNITS_H_
#define FORMATS_MAPUNITS_TEXT_TO_MAPUNITS_H_

#include "framework/text_to_binary.h"

class TextToMapUnitsConverter : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;

  bool convert() override;

 private:
  // Reads the .itemSet blocks of one unit up to its .gold line, writing the
  // item-set count and the sets; leaves the .gold line for the caller.
  void convertItemSets();
};

#endif  // FORMATS_MAPUNITS_TEXT_TO_MAPUNITS_H_
