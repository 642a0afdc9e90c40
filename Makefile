# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build data run test test-asan clean

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Game data is generated from the committed recipes by the content tool.
data: build
	@cmake --build $(BUILD) --target data -j $(JOBS)

run: data
	./$(BUILD)/kestrune

test: data
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) build-asan data
