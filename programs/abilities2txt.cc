// abilities2txt [input output [filter]]: war3map.w3a to Abilities.txt.
// A third argument, whatever its text, switches filter mode on.
#include "formats/objects/abilities_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<AbilitiesToTextConverter>(
      argc, argv, {{{"war3map.w3a", "rb"}, {"Abilities.txt", "w"}},
                   ProgramSettings::kFilter});
}
