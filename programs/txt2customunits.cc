// txt2customunits [input output [filter]]: CustomUnits.txt to war3map.w3u.
// A third argument, whatever its text, switches filter mode on.
#include "formats/objects/text_to_custom_units.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToCustomUnitsConverter>(
      argc, argv, {{{"CustomUnits.txt", "r"}, {"war3map.w3u", "wb"}},
                   ProgramSettings::kFilter});
}
