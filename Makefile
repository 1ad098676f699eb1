# Quick start:  make demo   (the tool with the simulated receiver)
#               make test   (installs what is missing, builds, runs every test)
PRESET ?= $(if $(CI),ci,default)
BUILD_DIR := build
STAGE := $(BUILD_DIR)/tarvik

.PHONY: all deps configure build run demo test test-unit test-fuzz fuzz bench screenshot clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET)

# The tool on a real receiver: link Com1 in $(STAGE) to the device first (see README).
run: build
	$(STAGE)/tarvik

# The tool with the simulated receiver on Com1 (scripts/demo).
demo: build
	scripts/demo $(BUILD_DIR)

test: test-unit test-fuzz

test-unit: build
	ctest --preset $(PRESET)

# The fuzz harnesses, built with clang under ASan and UBSan, each run briefly on its seed corpus.
test-fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	ctest --preset fuzz

# A longer fuzzing run: FUZZ_SECONDS per harness.
FUZZ_SECONDS ?= 60
fuzz: test-fuzz
	scripts/fuzz-all build-fuzz $(FUZZ_SECONDS)

bench: build
	scripts/bench-all $(BUILD_DIR)

screenshot: build
	scripts/screenshot $(STAGE)/tarvik docs/main-window.png

clean:
	rm -rf $(BUILD_DIR) build-fuzz
