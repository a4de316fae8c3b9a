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
	@$(BUILD_DIR)/src/app/tarvo-tools

clean:
	@rm -rf $(BUILD_DIR)
