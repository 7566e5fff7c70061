# make run   builds and starts Tombolix
# make test  builds and runs the tests
# make bench builds and runs the benchmark
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j2

run: build
	$(BUILD)/app/tombolix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tombolix-bench

clean:
	rm -rf $(BUILD)
