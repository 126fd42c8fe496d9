# Build, run and test Kirune. `make run` and `make test` first install the Debian packages that
# are missing (scripts/install-deps.sh), then configure with CMake and Ninja and build.

# Passed on to ctest, such as CTEST_ARGS="-L e2e".
CTEST_ARGS :=

# Each build has a preset of its own in CMakePresets.json, built in build-PRESET/ (make run in
# build/); the asan test preset carries the sanitizers' settings, which the end-to-end tests
# hand on to the program: AddressSanitizer checks for leaks at exit too (tests/lsan.supp would
# name memory a system library keeps; it names none), UBSan stops at the first fault.
configure = test -f $(1)/build.ninja || cmake --preset $(2)

.PHONY: all build build-asan run test test-linux test-windows test-debian13 bench bench-windows fuzz package deps \
	deps-test format clean windows

all: build

# Without a display the window cannot open: say so before building anything.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
$(error no display to open the window on; try: scripts/install-deps.sh xvfb && xvfb-run -a make run)
endif
endif

deps:
	@scripts/install-deps.sh build run

deps-test:
	@scripts/install-deps.sh build run test package fuzz

build: deps
	@$(call configure,build,run)
	cmake --build --preset run

run: build
	build/app/kirune

build-asan: deps-test
	@$(call configure,build-asan,asan)
	cmake --build --preset asan

# Everything, as CI runs it: the Linux tests, then the Windows ones under Wine; both halves run
# even when the first fails.
test:
	status=0; \
	$(MAKE) --no-print-directory test-linux || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	exit $$status

test-linux: build-asan
	ctest --preset asan $(CTEST_ARGS)

test-windows: windows
	cmake --build --preset windows
	ctest --preset windows $(CTEST_ARGS)

# make test (and the package check) again, in a minimal Debian 13 root kept under /var/cache,
# on a fresh clone of the committed tree: the other supported release, beside this machine's.
test-debian13:
	bash scripts/debian13.sh

# Kirune for Windows, cross-built with mingw-w64: build-windows/kirune.exe, the zip
# kirune-1.00-windows-x64.zip (program, README, licence) and the installer kirune-1.00-x64.msi.
# The same tree holds the core's unit tests for Windows, which make test-windows runs under Wine.
windows:
	@scripts/install-deps.sh windows
	@$(call configure,build-windows,windows)
	cmake --build --preset windows --target windows_packages

# Start-up, key latency and engine throughput against a minimal Qt program and xcalc, under an
# Xvfb of its own; writes bench/RESULTS.md.
bench:
	bash scripts/bench.sh

# Start-up of kirune.exe against a bare Win32 program under Wine; writes
# bench/RESULTS-windows.md.
bench-windows: windows
	bash scripts/bench-windows.sh build-windows

# Ten minutes of the form fuzzer (clang, libFuzzer) over the seed corpus in fuzz/corpus.
fuzz:
	bash scripts/fuzz.sh long

# A Debian package from a release build of its own (the test build carries the sanitizers):
# build-release/kirune_1.00_amd64.deb, installable with apt-get install ./kirune_1.00_*.deb.
# Configured every time, so that a build-release/ from before takes the preset's settings and
# this machine's dpkg-buildflags as they are now (unchanged flags rebuild nothing).
package:
	@scripts/install-deps.sh build run package
	cmake --preset release >/dev/null
	cmake --build --preset release --target package

format:
	@scripts/install-deps.sh format
	find . \( -path './.*' -o -path './build*' \) -prune -o \
		\( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	rm -rf build build-asan build-release build-windows build-bench build-fuzz
