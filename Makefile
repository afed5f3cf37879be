# Thin wrappers over CMake. `make test` builds everything and runs every test.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build test run clean format

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

run: build
	$(BUILD)/rainprep

# rainprep.exe for Windows, cross-built with MinGW-w64 into $(WINDOWS_BUILD).
WINDOWS_BUILD ?= build-windows
WINDOWS_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
.PHONY: windows test-windows

$(WINDOWS_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	  $(WINDOWS_FLAGS)

windows: $(WINDOWS_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target rainprep

# The end-to-end tests against rainprep.exe under Wine, its batch run by Wine's cmd.exe.
test-windows: windows
	MAKEFLAGS=--no-print-directory tests/windows/run_wine_tests.sh $(WINDOWS_BUILD) $(JOBS)

# A sample event written into $(BUILD)/demo and run through rainprep, answers typed at the
# prompts; builds only what the demonstration needs.
.PHONY: demo
demo: $(BUILD)/CMakeCache.txt
	MAKEFLAGS=--no-print-directory \
	  cmake --build $(BUILD) -j$(JOBS) --target rainprep make_event type_answers
	scripts/demo.sh $(BUILD)

# The whole-run benchmark against cp, then the rewrite kernel's in memory. Takes a few
# minutes and about 1.5 GB of disk in $(BUILD)/bench-work; not part of `make test`.
.PHONY: bench
bench: build
	bench/run_bench.sh $(BUILD)

# The whole test suite built with the address and undefined-behaviour sanitizers, in
# $(SANITIZE_BUILD): a finding aborts the program or test it happens in, so its test fails.
SANITIZE_BUILD ?= $(BUILD)-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
.PHONY: test-sanitize
test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAINPREP_BENCH=OFF \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:abort_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

# Each libFuzzer target for FUZZ_SECONDS, starting from its seeds in fuzz/corpus/; the inputs
# it adds, its log and any finding go to $(FUZZ_BUILD). Needs clang.
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 30
FUZZ_CXX ?= clang++
FUZZ_TARGETS := fuzz_clock fuzz_console_input fuzz_grid_rewrite fuzz_import_line
.PHONY: fuzz
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAINPREP_FUZZ=ON -DRAINPREP_TESTS=OFF -DRAINPREP_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "$$t: fuzzing for $(FUZZ_SECONDS) s"; \
	  if $(FUZZ_BUILD)/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=5 -print_final_stats=1 \
	      -artifact_prefix=$(FUZZ_BUILD)/$$t- $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t \
	      > $(FUZZ_BUILD)/$$t.log 2>&1; then \
	    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' \
	      $(FUZZ_BUILD)/$$t.log; \
	  else \
	    tail -n 80 $(FUZZ_BUILD)/$$t.log; echo "$$t: finding, see $(FUZZ_BUILD)/$$t.log"; exit 1; \
	  fi; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
