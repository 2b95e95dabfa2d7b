# The two everyday commands: `make run` and `make test`.
# CI (CI=true) treats warnings as errors and builds in folders of its own, so that an everyday
# build never inherits its settings.
ifeq ($(CI),true)
BUILD_DIR ?= build-ci
FUZZ_DIR ?= build-ci-fuzz
WERROR := ON
else
BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
WERROR := OFF
endif
SAN_DIR ?= build-sanitize
FUZZ_SECONDS ?= 60
FUZZERS := $(basename $(notdir $(wildcard tests/fuzz/*.cpp)))
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
CMAKE_FLAGS := $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCW_WERROR=$(WERROR)
# The tests keep their files in folders of their own, so two run at a time.
CTEST := ctest --output-on-failure -j2

.PHONY: all deps build run test test-sanitize bench fuzz package check-package clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/conewright

test: build
	$(CTEST) --test-dir $(BUILD_DIR)
ifeq ($(CI),true)
	$(MAKE) test-sanitize
endif

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer: the core, the windows
# and the command-line tool.
test-sanitize: deps
	cmake -S . -B $(SAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCW_SANITIZE=ON \
	    -DCW_BUILD_APP=ON -DCW_WERROR=ON
	cmake --build $(SAN_DIR)
	$(CTEST) --test-dir $(SAN_DIR)

# The Debian package (cpack -G DEB), and its checks: validators, lintian, and an installation
# with apt-get that runs the installed programs and removes them again (needs root).
package: build
	rm -f $(BUILD_DIR)/conewright_*.deb
	cmake --build $(BUILD_DIR) --target package

check-package: package
	scripts/check-package $(BUILD_DIR)

# The engine's, the drawing's and the driver database's timings (medians of repeated runs).
bench: build
	$(BUILD_DIR)/engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	$(BUILD_DIR)/plot_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	$(BUILD_DIR)/database_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	$(BUILD_DIR)/measure_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

# Each libFuzzer target for FUZZ_SECONDS, built with clang and the sanitizers; new inputs are
# kept in $(FUZZ_DIR)/corpus, a failing input in $(FUZZ_DIR)/crash-*.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DCW_FUZZ=ON -DCW_BUILD_APP=OFF -DCW_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) --target $(FUZZERS)
	@set -e; for f in $(FUZZERS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$f; \
	    dict=; if [ -f tests/fuzz/$$f.dict ]; then dict=-dict=tests/fuzz/$$f.dict; fi; \
	    echo "== $$f for $(FUZZ_SECONDS) s"; \
	    $(FUZZ_DIR)/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$dict \
	        -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus/$$f tests/fuzz/seeds/$$f; \
	done

clean:
	rm -rf build build-ci build-fuzz build-ci-fuzz $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR)
