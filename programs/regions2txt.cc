#include "formats/regions/regions_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<RegionsToTextConverter>(
      argc, argv, {{{"war3map.w3r", "rb"}, {"Regions.txt", "w"}}});
}
