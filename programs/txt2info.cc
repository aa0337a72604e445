#include "formats/info/text_to_info.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToInfoConverter>(
      argc, argv, {{{"Info.txt", "r"}, {"war3map.w3i", "wb"}}});
}
