#include "formats/doodads/text_to_doodads.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToDoodadsConverter>(
      argc, argv, {{{"Doodads.txt", "r"}, {"war3map.doo", "wb"}}});
}
