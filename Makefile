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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
