# The two everyday commands: `make run` and `make test`.
BUILD_DIR ?= build
SAN_DIR ?= build-sanitize
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
CMAKE_FLAGS := $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
ifeq ($(CI),true)
CMAKE_FLAGS += -DCW_WERROR=ON
endif

.PHONY: all deps build run test test-sanitize bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/conewright

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure
ifeq ($(CI),true)
	$(MAKE) test-sanitize
endif

# The core tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCW_SANITIZE=ON \
	    -DCW_BUILD_APP=OFF -DCW_WERROR=ON
	cmake --build $(SAN_DIR)
	ctest --test-dir $(SAN_DIR) --output-on-failure

# The engine's timings (medians of repeated runs).
bench: build
	$(BUILD_DIR)/engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR)
