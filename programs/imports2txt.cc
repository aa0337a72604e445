#include "formats/imports/imports_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<ImportsToTextConverter>(
      argc, argv, {{{"war3map.imp", "rb"}, {"Imports.txt", "w"}}});
}
