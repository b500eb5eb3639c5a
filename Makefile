# SPDX-License-Identifier: GPL-2.0-or-later
# Solvara: `make run` builds and starts the program, `make test` builds and runs every test.
#
# The build trees are the configure presets of CMakePresets.json (Ninja):
#   build        preset default: gcc with Debian's build flags, installed to /usr; the program, the
#                tests (make test-fast) and, in make test, the Debian package
#   build-package preset package: the same without the tests, for make package alone
#   build-san    preset san: clang with AddressSanitizer, UBSan and the fuzzers' instrumentation;
#                the same tests (make test-san), the fuzz targets (make test-fuzz, make fuzz) and
#                the long soak (make soak)
#   build-bench  preset bench: optimised, no tests; make bench, make bench-solve, make accuracy
BUILD       ?= build
SAN_BUILD   ?= build-san
BENCH_BUILD ?= build-bench
JOBS        ?= $(shell nproc)
# ctest's slots: a test with an X server takes two (tests/CMakeLists.txt), a headless one one.
TEST_JOBS   ?= $(shell echo $$(( $$(nproc) * 3 )))
CMAKE_ARGS  ?=
# In make test, whose steps show their output only when they end, each says when it began and
# ended.
STEP_TIMES  ?=
step_began   = $(if $(STEP_TIMES),@echo "--- $@ began at $$(date +%T)")
step_ended   = $(if $(STEP_TIMES),@echo "--- $@ ended at $$(date +%T)")

.PHONY: all deps build build-san run test test-steps test-fast test-san bench bench-solve accuracy \
	format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	$(step_began)
	cmake --preset default -B $(BUILD) $(CMAKE_ARGS)
	$(step_ended)

build: deps $(BUILD)/CMakeCache.txt
	$(step_began)
	cmake --build $(BUILD) -j $(JOBS)
	$(step_ended)

run: build
	./$(BUILD)/solvara

# Everything: the suite in the normal build and under the sanitizers, the fuzz targets briefly,
# the Debian package and its checks, each step's output shown when it ends. The compiles have
# both cores and the waits are shared: the package is made and checked while the sanitizer
# tree compiles, then the two suites, whose X sessions mostly wait on their servers and clocks,
# and the fuzz targets run side by side.
test:
	@$(MAKE) --no-print-directory -j3 --output-sync=target SAN_AFTER=build FAST_AFTER=build-san \
		PACKAGE_BUILD=$(BUILD) STEP_TIMES=1 test-steps
test-steps: test-fast test-san test-fuzz test-package

# FAST_AFTER: a target the normal suite waits for (make test: the sanitizer tree's build).
# A Weston session that passed only when run again is named after the suite.
test-fast: build | $(FAST_AFTER)
	$(step_began)
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)
	@grep -h '^retry.sh: run' $(BUILD)/Testing/Temporary/LastTest.log || true
	$(step_ended)

$(SAN_BUILD)/CMakeCache.txt:
	$(step_began)
	cmake --preset san -B $(SAN_BUILD) $(CMAKE_ARGS)
	$(step_ended)

# SAN_AFTER: a target this tree waits for (make test builds the normal tree first).
build-san: deps $(SAN_BUILD)/CMakeCache.txt | $(SAN_AFTER)
	$(step_began)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	$(step_ended)

test-san: build-san
	$(step_began)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(TEST_JOBS)
	@grep -h '^retry.sh: run' $(SAN_BUILD)/Testing/Temporary/LastTest.log || true
	$(step_ended)

# Performance figures against a bare SDL2 window, in a private X server; writes docs/performance.md.
$(BENCH_BUILD)/CMakeCache.txt:
	cmake --preset bench -B $(BENCH_BUILD) $(CMAKE_ARGS)

bench: deps $(BENCH_BUILD)/CMakeCache.txt
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target solvara solvara_baseline solvara_present_probe solvara_microbench
	python3 bench/run_bench.py --build $(BENCH_BUILD) --out docs/performance.md
	python3 bench/solve_bench.py --build $(BENCH_BUILD) --out docs/performance.md

# The solve command's batch path alone: problems a second and peak memory for 100,000 and
# 1,000,000 lines; writes its section of docs/performance.md.
bench-solve: deps $(BENCH_BUILD)/CMakeCache.txt
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target solvara
	python3 bench/solve_bench.py --build $(BENCH_BUILD) --out docs/performance.md

# The solver against a 60-digit reference, group by group; writes docs/accuracy.md.
ACCURACY_ARGS ?=
accuracy: deps $(BENCH_BUILD)/CMakeCache.txt
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target solvara_accuracy_report
	./$(BENCH_BUILD)/bench/solvara_accuracy_report --out docs/accuracy.md $(ACCURACY_ARGS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD) build-package

# Reliability: the long random-input soak and the fuzz targets, both in the sanitizer tree.
SOAK_ARGS          ?= --events 1000000
FUZZ_SECONDS       ?= 60
FUZZ_BRIEF_SECONDS ?= 5
.PHONY: soak fuzz test-fuzz
soak: deps $(SAN_BUILD)/CMakeCache.txt
	cmake --build $(SAN_BUILD) -j $(JOBS) --target solvara_soak
	./$(SAN_BUILD)/tests/solvara_soak $(SOAK_ARGS)
fuzz: build-san
	fuzz/run.sh $(SAN_BUILD) $(FUZZ_SECONDS)
test-fuzz: build-san
	$(step_began)
	fuzz/run.sh $(SAN_BUILD) $(FUZZ_BRIEF_SECONDS)
	$(step_ended)

# The Debian package, made by CPack from a tree compiled with the flags Debian builds its
# packages with (dpkg-buildflags, all hardening on) for /usr: writes
# $(PACKAGE_BUILD)/solvara_<version>-1_<arch>.deb. By itself it is made in a tree without the
# tests (preset package), which needs none of their libraries; make test makes it from the
# normal tree's objects (PACKAGE_BUILD=build, preset default: the same flags).
# test-package checks it with lintian and runs the packaged program in a private X server.
PACKAGE_BUILD  ?= build-package
PACKAGE_PRESET  = $(if $(filter $(BUILD),$(PACKAGE_BUILD)),default,package)
.PHONY: package test-package
ifneq ($(PACKAGE_BUILD),$(BUILD))
$(PACKAGE_BUILD)/CMakeCache.txt:
	cmake --preset $(PACKAGE_PRESET) -B $(PACKAGE_BUILD) $(CMAKE_ARGS)
endif
# The program knows the directory it is installed to (it never saves its picture there), so the
# package is built for /usr with Debian's flags, also in a tree configured before that mattered.
package: deps $(PACKAGE_BUILD)/CMakeCache.txt $(if $(filter $(BUILD),$(PACKAGE_BUILD)),build)
	$(step_began)
	@grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' $(PACKAGE_BUILD)/CMakeCache.txt && \
		grep -qx 'SOLVARA_DEBIAN_FLAGS:BOOL=ON' $(PACKAGE_BUILD)/CMakeCache.txt || \
		cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_INSTALL_PREFIX=/usr -DSOLVARA_DEBIAN_FLAGS=ON
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target solvara solvara_manual solvara_debian_changelog
	rm -f $(PACKAGE_BUILD)/*.deb
	cd $(PACKAGE_BUILD) && cpack
	@ls $(PACKAGE_BUILD)/*.deb
	$(step_ended)
test-package: package
	$(step_began)
	tests/package/package_test.sh $(PACKAGE_BUILD)/*.deb
	$(step_ended)

# A look at the program on a machine without a display: one scripted session in a private X
# server, saved as PNG pictures in $(BUILD)/demo (docs/images holds a committed copy).
.PHONY: demo
demo: build
	cmake --build $(BUILD) -j $(JOBS) --target solvara_demo
	./$(BUILD)/tests/solvara_demo ./$(BUILD)/solvara $(BUILD)/demo
