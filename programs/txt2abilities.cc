// txt2abilities [input output [filter]]: Abilities.txt to war3map.w3a.
// A third argument, whatever its text, switches filter mode on.
#include "formats/objects/text_to_abilities.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToAbilitiesConverter>(
      argc, argv, {{{"Abilities.txt", "r"}, {"war3map.w3a", "wb"}},
                   ProgramSettings::kFilter});
}
