#include "run_driver.h"

#include "batch/import_batch.h"
#include "clock/clock_time.h"
#include "clock/step_names.h"
#include "dialogue.h"
#include "grid/grid_rewrite.h"

namespace rainprep {
namespace {

// Checks that the steps the answers ask for can end: a positive interval, and not an
// endless number of steps. Prints the message and returns false otherwise.
bool steps_can_run(const clock_time& start, const clock_time& end, std::int32_t interval,
                   console_output& output) {
  if (!clock_before(start, end)) return true;
  if (interval <= 0) {
    output.report("\n ERROR INTERVALO: el intervalo de tiempo debe ser mayor que 0.\n");
    return false;
  }
  if (count_steps(start, end, interval, max_run_steps) > max_run_steps) {
    output.report(
        "\n ERROR FECHA: la lluvia abarca mas de 1000000 intervalos; revise las fechas y el "
        "intervalo.\n");
    return false;
  }
  return true;
}

}  // namespace

int run_program(console_input& input, console_output& output,
                const std::function<void()>& run_batch) {
  const dialogue_answers answers = run_dialogue(input, output);

  import_batch batch;
  batch.open(output);

  const clock_time start = clock_from_texts(answers.start);
  const clock_time end = clock_from_texts(answers.end);
  clock_time current = start;
  const std::string start_stamp = stamp_from_typed(answers.start);
  const std::string end_stamp = stamp_from_typed(answers.end);

  if (!steps_can_run(start, end, answers.interval, output)) {
    // Nothing was done, so there is nothing to import: the batch stays empty and is not run.
    batch.close(output);
    return 1;
  }

  while (clock_before(current, end)) {
    const step_texts texts = texts_from_clock(current);
    const std::string source = source_name(answers.base_name, texts);
    const std::string destination = destination_name(answers.base_name, texts);
    step_grids grids;
    if (rewrite_grid(source, destination, answers, grids, output)) {
      batch.write_import_line(destination, start_stamp, end_stamp, output);
    }
    const clock_time previous = current;
    advance_clock(current, answers.interval);
    close_step_grids(grids, output);
    if (!clock_before(previous, current)) {
      output.report(
          "\n ERROR FECHA: la fecha desborda el calendario y no avanza; se detienen los "
          "pasos.\n");
      break;
    }
  }

  if (batch.is_open()) {
    batch.close(output);
    run_batch();
  }
  output.print("\nEl programa ha finalizado correctamente.\n\n");
  return output.any_reported() ? 1 : 0;
}

}  // namespace rainprep
