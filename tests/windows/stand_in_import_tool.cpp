// A stand-in for the grid import tool asc2dssGrid, for the tests under Wine: each call
// appends its arguments, one per line as the C runtime split them, then "--", to calls.txt
// beside the executable. It imports nothing and prints nothing.
#include <windows.h>

#include <cstdio>
#include <string>

// The real tool sees its arguments as typed: no wildcard expansion by the runtime.
extern "C" {
int _dowildcard = 0;
}

int main(int argc, char** argv) {
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return 2;
  std::string log = module;
  log.erase(log.find_last_of("\\/") + 1);
  log += "calls.txt";
  // Binary, so that the log's line breaks are plain LF whatever the runtime's text mode.
  std::FILE* file = std::fopen(log.c_str(), "ab");
  if (file == nullptr) return 2;
  for (int i = 1; i < argc; ++i)
    std::fprintf(file, "%s\n", argv[i]);
  std::fputs("--\n", file);
  return std::fclose(file) == 0 ? 0 : 2;
}
