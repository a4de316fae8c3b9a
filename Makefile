# The two commands a user needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps build test run clean

all: build

deps:
	@tools/install-deps

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD_DIR)/build.ninja
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure

run: build
	@echo "The window is not built yet. Build a tool from a script with:"
	@echo "  $(BUILD_DIR)/src/app/tarvo-replay --dir DIR SCRIPT   (see --help)"

clean:
	@rm -rf $(BUILD_DIR)
