// rainprep: prepares the precipitation grids of one rain event for import into HEC-DSS.
// It takes no arguments; everything comes from the dialogue.
#include "batch/import_batch.h"
#include "platform/console_input.h"
#include "platform/console_output.h"
#include "run_driver.h"

int main() {
  rainprep::console_input input;
  rainprep::standard_output output;
  return rainprep::run_program(input, output, rainprep::run_import_batch);
}
