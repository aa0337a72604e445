// customunits2txt [input output [filter]]: war3map.w3u to CustomUnits.txt.
// A third argument, whatever its text, switches filter mode on.
#include "formats/objects/custom_units_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<CustomUnitsToTextConverter>(
      argc, argv, {{{"war3map.w3u", "rb"}, {"CustomUnits.txt", "w"}},
                   ProgramSettings::kFilter});
}
