# The two commands of README.md: `make run` and `make test`.
SHELL        := /bin/bash
.SHELLFLAGS  := -eo pipefail -c
JOBS         ?= $(shell nproc)
BUILD        ?= build
ASAN_BUILD   ?= build-asan
FUZZ_BUILD   ?= build-fuzz
WINDOWS_BUILD ?= build-windows
FUZZ_SECONDS ?= 60

.PHONY: run test deps test-deps build build-all build-asan windows fuzz bench package package-windows clean

# Building and running need the base level of packages; the test suite needs more.
deps:
	@tools/install-deps

test-deps:
	@tools/install-deps --test

# The program, and its tests and benchmarks where their libraries are installed.
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Everything: a missing test or benchmark library fails the configuration.
build-all: test-deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEMTRIX_TESTS=ON -DPEMTRIX_BENCH=ON \
	  -DPEMTRIX_WINDOWS_BUILD=$(CURDIR)/$(WINDOWS_BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-asan: test-deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DPEMTRIX_SANITIZE=ON -DPEMTRIX_TESTS=ON \
	  -DPEMTRIX_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The Windows program, cross-built with mingw-w64: $(WINDOWS_BUILD)/pemtrix.exe, with the
# resources beside it.
windows:
	@tools/install-deps --windows
	@JOBS=$(JOBS) tools/build-windows $(WINDOWS_BUILD)

run: build
	@$(BUILD)/pemtrix

# The fuzzer runs first so that the test runners' summaries close the output. The Windows
# tests' programs are built before CTest starts, rather than by the tests while others run.
test: build-all build-asan windows
	@JOBS=$(JOBS) tools/build-windows $(WINDOWS_BUILD) windows_tests >/dev/null
	@$(MAKE) --no-print-directory fuzz
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

fuzz: test-deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPEMTRIX_FUZZ=ON -DPEMTRIX_TESTS=OFF -DPEMTRIX_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_evaluate
	@mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/fuzz/fuzz_evaluate -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=2048 \
	  -max_len=4096 -print_final_stats=1 $(FUZZ_BUILD)/corpus fuzz/corpus 2>&1 | tail -n 15

# The Debian package pemtrix_1.000_amd64.deb, in the top folder.
package: build
	@cd $(BUILD) && cpack -G DEB -B $(CURDIR)/$(BUILD)/package >/dev/null
	@cp $(BUILD)/package/pemtrix_1.000_amd64.deb .
	@echo "pemtrix_1.000_amd64.deb"

# The Windows installer pemtrix-1.000-setup.exe, in the top folder: made with NSIS in the
# Windows build folder from the program and resources there.
package-windows: windows
	@command -v makensis >/dev/null || { echo "makensis (NSIS) is not installed: tools/install-deps --windows" >&2; exit 1; }
	@installer=$$(packaging/windows/make-installer $(WINDOWS_BUILD)) && cp "$$installer" .
	@echo "pemtrix-1.000-setup.exe"

bench:
	@tools/install-deps --bench
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEMTRIX_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@bench/run-all $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
