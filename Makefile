# Build, run and test Kirune. `make run` and `make test` first install the Debian packages that
# are missing (scripts/install-deps.sh), then configure with CMake and Ninja and build.

BUILD_DIR := build
ASAN_DIR  := build-asan
WINDOWS_DIR := build-windows
JOBS      := 2
# Seconds per test, for those that set no limit of their own.
TEST_TIMEOUT := 120
CTEST_ARGS   :=

CMAKE_CONFIGURE := cmake -S . -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

# AddressSanitizer checks for leaks at exit too (tests/lsan.supp would name memory that a system
# library keeps; it names none). UndefinedBehaviorSanitizer stops at the first fault, with the
# stack. The end-to-end tests run the sanitized program with these same settings.
SANITIZER_ENV := \
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all build build-asan run test bench bench-windows fuzz package deps deps-test format clean \
	windows

all: build

# Without a display the window cannot open: say so before building anything.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
$(error no display to open the window on; try: xvfb-run -a make run)
endif
endif

deps:
	@scripts/install-deps.sh build run

deps-test:
	@scripts/install-deps.sh build run test package fuzz windows

build: deps
	@test -f $(BUILD_DIR)/build.ninja || \
		$(CMAKE_CONFIGURE) -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
			-DKIRUNE_SANITIZE=OFF -DKIRUNE_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/kirune

build-asan: deps-test
	@test -f $(ASAN_DIR)/build.ninja || \
		$(CMAKE_CONFIGURE) -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DKIRUNE_SANITIZE=ON \
			-DKIRUNE_WERROR=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)

# The Linux tests, then the Windows ones under Wine; both run even when the first fail.
test: build-asan windows
	status=0; \
	(cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --no-tests=error \
		--timeout $(TEST_TIMEOUT) -j $(JOBS) $(CTEST_ARGS)) || status=1; \
	(cmake --build $(WINDOWS_DIR) -j $(JOBS) && cd $(WINDOWS_DIR) && ctest --output-on-failure --no-tests=error \
		--timeout $(TEST_TIMEOUT) -j $(JOBS) $(CTEST_ARGS)) || status=1; \
	exit $$status

# Kirune for Windows, cross-built with mingw-w64: $(WINDOWS_DIR)/kirune.exe, the zip
# kirune-1.00-windows-x64.zip (program, README, licence) and the installer kirune-1.00-x64.msi.
# The same tree holds the core's unit tests for Windows, which make test runs under Wine.
windows:
	@scripts/install-deps.sh windows
	@test -f $(WINDOWS_DIR)/build.ninja || \
		$(CMAKE_CONFIGURE) -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
			-DCMAKE_BUILD_TYPE=MinSizeRel -DKIRUNE_WERROR=ON
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target windows_packages

# Start-up, key latency and engine throughput against a minimal Qt program and xcalc, under an
# Xvfb of its own; writes bench/RESULTS.md.
bench:
	bash scripts/bench.sh

# Start-up of kirune.exe against a bare Win32 program under Wine; writes its rows into
# bench/RESULTS.md.
bench-windows: windows
	bash scripts/bench-windows.sh $(WINDOWS_DIR)

# Ten minutes of the form fuzzer (clang, libFuzzer) over the seed corpus in fuzz/corpus.
fuzz:
	bash scripts/fuzz.sh long

# A Debian package from a release build of its own (the test build carries the sanitizers):
# build-release/kirune_1.00_amd64.deb, installable with apt-get install ./kirune_1.00_*.deb.
package:
	@scripts/install-deps.sh build run package
	@test -f build-release/build.ninja || \
		$(CMAKE_CONFIGURE) -B build-release -DCMAKE_BUILD_TYPE=Release -DKIRUNE_TESTS=OFF
	cmake --build build-release -j $(JOBS) --target package

format:
	@scripts/install-deps.sh format
	find . \( -path './.*' -o -path './build*' \) -prune -o \
		\( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-release $(WINDOWS_DIR)
