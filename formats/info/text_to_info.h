// txt2info: Info.txt back to war3map.w3i.
//
// Every line is required, in one fixed order. The version on the .version
// line selects the layout that is written: above 18 the extended one, else
// the short one, in which the .loadingModel, .prologuePath, .fog, .weather
// and .customTileset values are not written (only .prologuePath must still
// hold a well-formed quoted string). The four record lists are counted from
// the text.
#ifndef FORMATS_INFO_TEXT_TO_INFO_H_
#define FORMATS_INFO_TEXT_TO_INFO_H_

#include "framework/text_to_binary.h"

class TextToInfoConverter : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;

  bool convert() override;

 private:
  // Expects tag, reads its quoted string (at most maxchars - 2 characters)
  // and writes it when write is true.
  void convertString(const char* tag, int maxchars, bool write = true);
};

#endif  // FORMATS_INFO_TEXT_TO_INFO_H_
