# The two commands a user needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600
SMOKE_SECONDS ?= 30
FUZZERS := decimal_parser_fuzz replay_script_fuzz history_file_fuzz

BENCH_DIR ?= build-bench
WINDOWS_DIR ?= build-windows

.PHONY: all deps build test run package sanitize-test wine-test windows windows-test fuzz fuzz-build fuzz-smoke bench mutate clean

all: build

deps:
	@tools/install-deps

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: deps $(BUILD_DIR)/build.ninja
	@cmake --build $(BUILD_DIR)

# The core's tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# core and command-line tools built for Windows and tested under Wine, a short
# run of each fuzzer, then every test of the program itself.
test: build sanitize-test wine-test fuzz-smoke
	@cd $(BUILD_DIR) && ctest -j2 --output-on-failure

run: build
	@$(BUILD_DIR)/src/app/tarvo-tools

# make package: the Debian package tarvo-tools_VERSION_amd64.deb in $(BUILD_DIR).
package: build
	@cmake --build $(BUILD_DIR) --target package

sanitize-test: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DTARVO_WITH_UI=OFF -DTARVO_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR)
	@cd $(SANITIZE_DIR) && { ctest -j2 --output-on-failure >ctest.log 2>&1 || { cat ctest.log; exit 1; }; } && \
	  echo "sanitizers: $$(grep -E 'tests passed' ctest.log)"

# The core, tarvo-replay and tarvo-library cross-built for 64-bit Windows with
# mingw-w64, their tests and the replay cases run under Wine.
wine-test: deps
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTARVO_WITH_UI=OFF >/dev/null
	@cmake --build $(WINDOWS_DIR)
	@export WINEPREFIX=$(abspath $(WINDOWS_DIR))/wine && cd $(WINDOWS_DIR) && \
	  { ctest -j2 --output-on-failure >ctest.log 2>&1; status=$$?; ../tools/wine-run --stop; } && \
	  { [ $$status = 0 ] || { cat ctest.log; exit 1; }; } && \
	  echo "windows, under wine: $$(grep -E 'tests passed' ctest.log)"

# make windows: the whole program for 64-bit Windows as
# build-windows/tarvo-tools-VERSION-win64.zip. The first run builds Qt and Coin
# from Debian's sources into ~/.cache/tarvo-tools/windows (about 45 minutes on
# 2 busy cores); later runs only build the program. Not part of make test.
windows: deps
	@tools/build-windows

# make windows-test: the window from that zip under Wine on a virtual screen,
# driven with the keyboard: it builds the README's tip, checks the preview and
# that usrprobe.dat is the Linux program's, byte for byte. Not part of make test.
windows-test: windows build
	@tools/windows-test "$$(ls -t $(WINDOWS_DIR)/tarvo-tools-*-win64.zip | head -1)" $(BUILD_DIR)/src/app/tarvo-replay

fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTARVO_WITH_UI=OFF -DTARVO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target $(FUZZERS)

# make fuzz: each fuzzer for FUZZ_SECONDS; make test runs the three at once
# for SMOKE_SECONDS (on 2 cores, about 20 s of the processor each).
fuzz: fuzz-build
	@for f in $(FUZZERS); do tools/run-fuzzer $(FUZZ_DIR) $$f $(FUZZ_SECONDS) || exit 1; done

fuzz-smoke: fuzz-build
	@pids=; for f in $(FUZZERS); do tools/run-fuzzer $(FUZZ_DIR) $$f $(SMOKE_SECONDS) & pids="$$pids $$!"; done; \
	  status=0; for p in $$pids; do wait $$p || status=1; done; exit $$status

# make bench: every benchmark in a release build; writes bench/RESULTS.md.
bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR)
	@bench/run_benchmarks.py $(BENCH_DIR)

# make mutate: plants each fault of tools/mutants.txt in turn and reports which
# the core's tests and the replay cases catch (not part of make test).
mutate: deps
	@tools/mutate

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(WINDOWS_DIR) build-mutate
