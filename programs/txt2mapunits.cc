#include "formats/mapunits/text_to_mapunits.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToMapUnitsConverter>(
      argc, argv, {{{"MapUnits.txt", "r"}, {"war3mapUnits.doo", "wb"}}});
}
