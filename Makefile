# Front door: each goal installs what it lacks, configures, builds and runs.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# A compiler cache, where there is one: the build without the test packages
# then compiles next to nothing that the test build has not.
ifneq ($(shell command -v ccache),)
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
endif
# Configures a folder with flags, again (afresh) whenever the flags change.
CONFIGURE = @tools/configure.sh
# What a machine without the test and benchmark packages finds.
BARE_FLAGS = -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
BUILD_DIRS = $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz $(BUILD)-bench $(BUILD)-bench-qt $(BUILD)-bare $(BUILD)-deb

.PHONY: all deps deps-test deps-deb configure build run test test-fast test-sanitize test-bare deb soak fuzz bench bench-qt-configure bench-qt bench-window bench-first-frame loop-stress install clean

all: build

deps:
	@tools/install_deps.sh build

deps-test:
	@tools/install_deps.sh test

deps-deb:
	@tools/install_deps.sh deb

configure:
	$(CONFIGURE) $(BUILD) $(CMAKE_FLAGS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the game: the tests, when the test packages are installed, are left
# for `make test`.
run: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target quondra
	./$(BUILD)/quondra

# The test packages first, so that the rest is read again with the compiler
# cache they bring (on a fresh machine it is not there yet).
test: deps-test
	$(MAKE) test-fast test-sanitize test-bare

# The package first: the install tests unpack and start it.
test-fast: deps-test deb configure
	@grep -q '^BUILD_TESTING:BOOL=ON' $(BUILD)/CMakeCache.txt || cmake -DBUILD_TESTING=ON $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

# The core, the console and their tests under ASan and UBSan.
test-sanitize: deps-test
	$(CONFIGURE) $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUONDRA_WITH_QT=OFF -DQUONDRA_SANITIZE=ON
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS) --timeout 600 -E '^(e2e|install)\.'

# Random play with its invariants for a long while; prints the events, the
# seeds and the time taken.
SOAK_EVENTS ?= 10000000
SOAK_SEEDS ?= 101 102 103 104 105
soak: deps-test configure
	cmake --build $(BUILD) -j $(JOBS) --target quondra-soak
	./$(BUILD)/tests/soak/quondra-soak --events $(SOAK_EVENTS) $(foreach s,$(SOAK_SEEDS),--seed $(s))

# The coverage-guided fuzzer of the console on one core; new inputs go to
# $(BUILD)-fuzz/corpus, the committed corpus is only read.
FUZZ_SECONDS ?= 600
fuzz: deps-test
	$(CONFIGURE) $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUONDRA_WITH_QT=OFF -DQUONDRA_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target quondra-fuzz
	mkdir -p $(BUILD)-fuzz/corpus $(BUILD)-fuzz/findings
	./$(BUILD)-fuzz/tests/fuzz/quondra-fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=30 \
	  -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/findings/ $(BUILD)-fuzz/corpus tests/fuzz/corpus

# Benchmarks are measured, never run as tests.
bench: deps-test
	$(CONFIGURE) $(BUILD)-bench \
	  -DCMAKE_BUILD_TYPE=Release -DQUONDRA_WITH_QT=OFF -DBUILD_TESTING=OFF -DQUONDRA_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	./$(BUILD)-bench/bench/quondra-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The real window's loop: a 2 s stop, a box held open, the rate over 30 s.
loop-stress: deps-test bench-qt-configure
	cmake --build $(BUILD)-bench-qt -j $(JOBS) --target quondra-trace
	bench/loop_stress.sh $(BUILD)-bench-qt

# The painter and the whole program, with the Qt window (Release).
bench-qt-configure:
	$(CONFIGURE) $(BUILD)-bench-qt \
	  -DCMAKE_BUILD_TYPE=Release -DQUONDRA_WITH_QT=ON -DBUILD_TESTING=OFF -DQUONDRA_BUILD_BENCH=ON

bench-qt: deps-test bench-qt-configure
	cmake --build $(BUILD)-bench-qt -j $(JOBS)
	./$(BUILD)-bench-qt/bench/quondra-paint-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench-window: deps-test bench-qt-configure
	cmake --build $(BUILD)-bench-qt -j $(JOBS)
	bench/window_bench.sh $(BUILD)-bench-qt

bench-first-frame: deps-test bench-qt-configure
	cmake --build $(BUILD)-bench-qt -j $(JOBS) --target quondra-trace quondra-baseline
	bench/first_frame_instructions.sh $(BUILD)-bench-qt

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The game built as `make run` builds it on a machine without the test and
# benchmark packages, then started until its window shows.
test-bare: deps-test
	$(MAKE) --no-print-directory build BUILD=$(BUILD)-bare CMAKE_FLAGS="$(CMAKE_FLAGS) $(BARE_FLAGS)"
	data/window_shows.sh $(BUILD)-bare/quondra

# quondra_VERSION_ARCH.deb in $(BUILD)-deb, built by dpkg-buildpackage and
# passed by lintian.
deb: deps-deb
	tools/make_deb.sh $(BUILD)-deb $(JOBS)

clean:
	rm -rf $(BUILD_DIRS)
