#include "dialogue.h"

namespace rainprep {
namespace {

// The coordinates drop what was typed ahead before reading, the dates after reading.
void ask_discarding_before(console_input& input, console_output& output, const char* prompt,
                           std::string& field) {
  output.print(prompt);
  input.discard_pending_input();
  input.read_answer(field);
}

void ask_discarding_after(console_input& input, console_output& output, const char* prompt,
                          std::string& field) {
  output.print(prompt);
  input.read_answer(field);
  input.discard_pending_input();
}

void ask_instant(console_input& input, console_output& output, typed_instant& instant) {
  ask_discarding_after(input, output, "\n\t\tDia: ", instant.day);
  ask_discarding_after(input, output, "\n\t\tMes: ", instant.month);
  ask_discarding_after(input, output, "\n\t\tAno: ", instant.year);
  ask_discarding_after(input, output, "\n\t\tHora: ", instant.hour);
  ask_discarding_after(input, output, "\n\t\tMin: ", instant.minute);
}

}  // namespace

dialogue_answers run_dialogue(console_input& input, console_output& output) {
  dialogue_answers answers;
  output.print("\nCOORDENADAS: ");
  output.print("\n----------- ");
  ask_discarding_before(input, output,
                        "\n\tIntroduzca la coordenada XLLCORNER: ", answers.xllcorner);
  ask_discarding_before(input, output,
                        "\n\tIntroduzca la coordenada YLLCORNER: ", answers.yllcorner);
  ask_discarding_before(input, output, "\n\tIntroduzca la coordenada CELLSIZE: ", answers.cellsize);
  output.print("\nFECHA Y hora DE INICIO Y FIN DE LA LLUVIA: ");
  output.print("\n----------------------------------------- ");
  output.print("\n\tFecha de inicio de la lluvia. ");
  ask_instant(input, output, answers.start);
  output.print("\n\tFecha de fin de la lluvia: ");
  ask_instant(input, output, answers.end);
  output.print("\nFICHERO: ");
  output.print("\n------- ");
  ask_discarding_before(input, output,
                        "\nIntroduzca el nombre del fichero inicial: ", answers.base_name);
  input.discard_pending_input();
  output.print("\nIntroduzca el intervalo de tiempo entre ficheros (min): ");
  input.read_interval(answers.interval);
  return answers;
}

}  // namespace rainprep
