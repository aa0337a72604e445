#include "formats/triggers/text_to_triggers.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TextToTriggersConverter>(
      argc, argv,
      {{{"Triggers.txt", "r"}, {"war3map.wtg", "wb"}, {"war3map.wct", "wb", true}}});
}
