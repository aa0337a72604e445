#include "formats/mapunits/mapunits_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<MapUnitsToTextConverter>(
      argc, argv, {{{"war3mapUnits.doo", "rb"}, {"MapUnits.txt", "w"}}});
}
