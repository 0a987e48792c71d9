# Front door: each goal installs what it lacks, configures, builds and runs.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps deps-test configure build run test test-fast test-sanitize bench bench-qt bench-window install clean

all: build

deps:
	@tools/install_deps.sh build

deps-test:
	@tools/install_deps.sh test

configure:
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/quondra

test: test-fast test-sanitize

test-fast: deps-test configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

# The core, the console and their tests under ASan and UBSan.
test-sanitize: deps-test
	@test -f $(BUILD)-sanitize/build.ninja || cmake -S . -B $(BUILD)-sanitize -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DQUONDRA_WITH_QT=OFF -DQUONDRA_SANITIZE=ON
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS) --timeout 600 -E '^e2e\.'

# Benchmarks are measured, never run as tests.
bench: deps-test
	@test -f $(BUILD)-bench/build.ninja || cmake -S . -B $(BUILD)-bench -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release -DQUONDRA_WITH_QT=OFF -DBUILD_TESTING=OFF -DQUONDRA_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	./$(BUILD)-bench/bench/quondra-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The painter and the whole program, with the Qt window (Release).
$(BUILD)-bench-qt/build.ninja:
	cmake -S . -B $(BUILD)-bench-qt -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release -DQUONDRA_WITH_QT=ON -DBUILD_TESTING=OFF -DQUONDRA_BUILD_BENCH=ON

bench-qt: deps-test $(BUILD)-bench-qt/build.ninja
	cmake --build $(BUILD)-bench-qt -j $(JOBS)
	./$(BUILD)-bench-qt/bench/quondra-paint-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench-window: deps-test $(BUILD)-bench-qt/build.ninja
	cmake --build $(BUILD)-bench-qt -j $(JOBS)
	bench/window_bench.sh $(BUILD)-bench-qt

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
