#include "formats/imports/text_to_imports.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToImportsConverter>(
      argc, argv, {{{"Imports.txt", "r"}, {"war3map.imp", "wb"}}});
}
