# One-command entry points. Each target first installs what a fresh Debian 12 machine lacks.

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
SANITIZE_DIR ?= build-sanitize
PACKAGE_DIR ?= build-package
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench fuzz sanitize package windows format format-check clean

all: build

deps:
	@bash tools/setup-debian.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/parvelin ]; then $(BUILD_DIR)/parvelin; \
	else $(BUILD_DIR)/parvelin-cli --help; fi

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPARVELIN_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target parvelin-benchmarks parvelin-startup-benchmark
	$(BENCH_DIR)/tests/bench/parvelin-benchmarks $(BENCH_ARGS)
	$(BENCH_DIR)/tests/bench/parvelin-startup-benchmark

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPARVELIN_BUILD_FUZZERS=ON -DPARVELIN_BUILD_GUI=OFF -DPARVELIN_BUILD_TESTS=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target open-record-fuzzer record-chain-fuzzer
	@# Each fuzzer starts from the committed seeds; what it adds stays in the build folder.
	mkdir -p $(FUZZ_DIR)/corpus/open-record $(FUZZ_DIR)/corpus/record-chain
	cp tests/data/samples/*.zbdw tests/data/broken/*.zbdw $(FUZZ_DIR)/corpus/open-record/
	cp tests/data/samples/*.record $(FUZZ_DIR)/corpus/record-chain/
	$(FUZZ_DIR)/tests/fuzz/open-record-fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus/open-record
	$(FUZZ_DIR)/tests/fuzz/record-chain-fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus/record-chain

# The core's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPARVELIN_SANITIZE=ON -DPARVELIN_BUILD_GUI=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS) -L core

# The Debian package (Release build); its path is printed last.
package: deps
	@bash tools/build-package.sh $(PACKAGE_DIR) $(JOBS) $(CMAKE_FLAGS)

# The Windows programs, cross-built against ../shared/toolchains' Qt, laid out in
# build-windows/Parvelin with their installer beside it.
windows:
	@bash tools/build-windows.sh $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(FUZZ_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR) build-windows
