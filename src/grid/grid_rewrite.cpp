#include "grid/grid_rewrite.h"

namespace rainprep {
namespace {

constexpr int header_reads = 6;
constexpr std::size_t max_read = 999;

}  // namespace

void write_grid_header(text_writer& destination, const dialogue_answers& answers) {
  destination.write("NCOLS 1200 ");
  destination.write("\nNROWS 1012 ");
  destination.write("\nXLLCORNER ");
  destination.write(answers.xllcorner);
  destination.write("\nYLLCORNER ");
  destination.write(answers.yllcorner);
  destination.write("\nCELLSIZE ");
  destination.write(answers.cellsize);
  destination.write("\nNODATA_VALUE\n -9999 ");
}

void copy_grid_data(text_reader& source, text_writer& destination) {
  char copy_chunk[max_read + 1];
  for (int reads = 0; reads < header_reads; ++reads) {
    if (source.read_piece(copy_chunk, max_read) == 0) return;
  }
  copy_rest(source, destination);
}

bool rewrite_grid(const std::string& source_name, const std::string& destination_name,
                  const dialogue_answers& answers, step_grids& grids, console_output& output) {
  grids.source_file = os_file::open_for_reading(source_name);
  if (!grids.source_file) {
    output.report("\n ERROR ORIGEN: no se puede abrir el archivo.\n");
    return false;
  }
  grids.destination_file = os_file::open_for_writing(destination_name);
  if (!grids.destination_file) {
    output.report("\n ERROR DESTINO: no se puede abrir el archivo.\n");
    close_step_grids(grids, output);
    return false;
  }
  // The destination is about as large as the source: the headers differ by a few bytes, and
  // an LF source gains a CR per line. Room for a page less than the source, in whole pages,
  // is nearly always filled, so that none has to be given back at the close.
  const long long page = 4096;
  grids.destination_file->reserve(grids.source_file->size() / page * page - page);
  grids.source = std::make_unique<text_reader>(*grids.source_file);
  grids.destination = std::make_unique<text_writer>(*grids.destination_file);
  write_grid_header(*grids.destination, answers);
  copy_grid_data(*grids.source, *grids.destination);
  return true;
}

void close_step_grids(step_grids& grids, console_output& output) {
  if (grids.source_file) {
    // A read error cut the copy short; it is reported with the source's closing so that a
    // truncated grid never passes silently.
    const bool read_ok = !grids.source || !grids.source->failed();
    if (!grids.source_file->close() || !read_ok) {
      output.report("ERROR:problemas al cerrar el fichero origen.\n");
    }
  }
  if (grids.destination_file) {
    const bool written = !grids.destination || grids.destination->flush();
    if (!grids.destination_file->close() || !written) {
      output.report("ERROR:problemas al cerrar el fichero destino.\n");
    }
  }
  grids = step_grids{};
}

}  // namespace rainprep
