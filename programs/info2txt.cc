#include "formats/info/info_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<InfoToTextConverter>(
      argc, argv, {{{"war3map.w3i", "rb"}, {"Info.txt", "w"}}});
}
