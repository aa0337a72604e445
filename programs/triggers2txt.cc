#include "formats/triggers/triggers_to_text.h"
#include "framework/program_entry.h"

int main(int argc, char** argv) {
  return runConverter<TriggersToTextConverter>(
      argc, argv,
      {{{"war3map.wtg", "rb"}, {"war3map.wct", "rb", true}, {"Triggers.txt", "w"}}});
}
