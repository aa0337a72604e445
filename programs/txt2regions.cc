#include "formats/regions/text_to_regions.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToRegionsConverter>(
      argc, argv, {{{"Regions.txt", "r"}, {"war3map.w3r", "wb"}}});
}
