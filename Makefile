# SPDX-License-Identifier: GPL-2.0-or-later
# Solvara: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD      ?= build
SAN_BUILD  ?= build-san
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps build run test test-fast test-san bench bench-solve accuracy format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/solvara

# The whole suite: a normal build, then the same tests under AddressSanitizer and UBSan.
test: test-fast test-san
test: test-fuzz

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(SAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSOLVARA_SANITIZE=ON $(CMAKE_ARGS)

test-san: deps $(SAN_BUILD)/CMakeCache.txt
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE nosan

# Performance figures against a bare SDL2 window, in a private X server; writes docs/performance.md.
$(BENCH_BUILD)/CMakeCache.txt:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_ARGS)

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
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD)

# Reliability: the long random-input soak (under the sanitizers) and the fuzz targets (clang).
SOAK_ARGS          ?= --events 1000000
FUZZ_BUILD         ?= build-fuzz
FUZZ_SECONDS       ?= 60
FUZZ_BRIEF_SECONDS ?= 5
.PHONY: soak fuzz fuzz-build test-fuzz clean-fuzz
soak: deps $(SAN_BUILD)/CMakeCache.txt
	cmake --build $(SAN_BUILD) -j $(JOBS) --target solvara_soak
	./$(SAN_BUILD)/tests/solvara_soak $(SOAK_ARGS)
$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DSOLVARA_FUZZ=ON -DBUILD_TESTING=OFF $(CMAKE_ARGS)
fuzz-build: deps $(FUZZ_BUILD)/CMakeCache.txt
	@grep -q '^SOLVARA_FUZZ:BOOL=ON' $(FUZZ_BUILD)/CMakeCache.txt || \
		{ echo "$(FUZZ_BUILD) is an older, separate fuzz build: make clean-fuzz first" >&2; exit 1; }
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target solvara_fuzz_targets
fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)
test-fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_BRIEF_SECONDS)
clean: clean-fuzz
clean-fuzz:
	rm -rf $(FUZZ_BUILD)

# The Debian package: a build of its own with the flags Debian builds its packages with
# (dpkg-buildflags, all hardening on), then CPack; writes $(PACKAGE_BUILD)/solvara_<version>-1_<arch>.deb.
# test-package checks it with lintian and runs the packaged program in a private X server.
PACKAGE_BUILD ?= build-package
DEB_FLAG = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
.PHONY: package test-package clean-package
$(PACKAGE_BUILD)/CMakeCache.txt:
	CFLAGS="$$($(DEB_FLAG) CFLAGS) $$($(DEB_FLAG) CPPFLAGS)" \
	CXXFLAGS="$$($(DEB_FLAG) CXXFLAGS) $$($(DEB_FLAG) CPPFLAGS)" \
	LDFLAGS="$$($(DEB_FLAG) LDFLAGS)" \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DCMAKE_INSTALL_PREFIX=/usr $(CMAKE_ARGS)
# The program knows the directory it is installed to (it never saves its picture there), so the
# package is built for /usr, also in a tree configured before that mattered.
package: deps $(PACKAGE_BUILD)/CMakeCache.txt
	@grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' $(PACKAGE_BUILD)/CMakeCache.txt || \
		cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target solvara solvara_manual solvara_debian_changelog
	rm -f $(PACKAGE_BUILD)/*.deb
	cd $(PACKAGE_BUILD) && cpack
	@ls $(PACKAGE_BUILD)/*.deb
test-package: package
	tests/package/package_test.sh $(PACKAGE_BUILD)/*.deb
test: test-package
clean: clean-package
clean-package:
	rm -rf $(PACKAGE_BUILD)

# A look at the program on a machine without a display: one scripted session in a private X
# server, saved as PNG pictures in $(BUILD)/demo (docs/images holds a committed copy).
.PHONY: demo
demo: build
	cmake --build $(BUILD) -j $(JOBS) --target solvara_demo
	./$(BUILD)/tests/solvara_demo ./$(BUILD)/solvara $(BUILD)/demo
