#include "formats/doodads/doodads_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<DoodadsToTextConverter>(
      argc, argv, {{{"war3map.doo", "rb"}, {"Doodads.txt", "w"}}});
}
