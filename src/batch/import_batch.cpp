#include "batch/import_batch.h"

#include <cstdio>

#include "batch/import_line.h"
#include "platform/command_interpreter.h"

namespace rainprep {
namespace {
constexpr const char* batch_file_name = "bat.bat";
}

bool import_batch::open(console_output& output) {
  file_ = os_file::open_for_writing(batch_file_name);
  if (!file_) {
    output.report("\n ERROR BAT: no se puede abrir el archivo.\n");
    return false;
  }
  writer_ = std::make_unique<text_writer>(*file_);
  return true;
}

void import_batch::write_import_line(const std::string& destination_name,
                                     const std::string& start_stamp, const std::string& end_stamp,
                                     console_output& output) {
  if (!writer_) return;
  const auto line = import_line(destination_name, start_stamp, end_stamp);
  if (!line) {
    output.report(
        "\n ERROR BAT: el nombre o la fecha lleva comillas o caracteres de control; no se "
        "escribe la linea de importacion.\n");
    return;
  }
  writer_->write(*line);
}

void import_batch::close(console_output& output) {
  if (!file_) return;
  const bool written = writer_->flush();
  if (!file_->close() || !written) {
    output.report("ERROR:problemas al cerrar el fichero bat.\n");
  }
  writer_.reset();
  file_.reset();
}

void run_import_batch() {
  // The interpreter shares the console; what the program printed must come first.
  std::fflush(stdout);
  run_command_interpreter(batch_file_name);
}

}  // namespace rainprep
