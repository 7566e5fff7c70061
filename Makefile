# make run   builds and starts Tombolix
# make test  builds and runs the tests
# make bench builds and runs the benchmark
# make verifier builds the entrants' page alone, build/web/tombolix-verify.html
# make deb builds the Debian package tombolix_1.01_amd64.deb
# make package-test checks the package: files, validators, lintian, install, a start, removal
# make sanitize builds the tests with AddressSanitizer and UBSan and runs them
# make fuzz builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (30)
# make windows builds the Windows program in build-win and packs Tombolix-1.01-win64.zip
# make windows-test runs the Windows build's tests under Wine
# make format applies .clang-format to every C++ file; make format-check fails on any difference
# TOMBOLIX_WERROR=ON (as CI sets it) makes every build treat compiler warnings as errors
BUILD ?= build
# as many compile jobs as the machine has processors
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
TOMBOLIX_WERROR ?= OFF
export TOMBOLIX_WERROR
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOMBOLIX_WERROR=$(TOMBOLIX_WERROR)

.PHONY: all deps configure build verifier run test bench deb package-test sanitize fuzz windows windows-test format \
	format-check clean

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

verifier: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target verifier

run: build
	$(BUILD)/app/tombolix

# Chromium opens the entrants' page in its browser test
test: build
	@sh scripts/install-deps.sh chromium
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tombolix-bench

# the Debian package tombolix_1.01_amd64.deb, here
deb: build
	@sh scripts/install-deps.sh dpkg-dev
	cd $(BUILD) && cpack -G DEB -B $(CURDIR)/$(BUILD)/package > /dev/null
	cp $(BUILD)/package/tombolix_*.deb .
	@ls -l tombolix_*.deb

# the package checked as a user meets it: installed, started, used and removed (root for apt)
package-test: build
	sh scripts/package-test.sh $(BUILD)

sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOMBOLIX_SANITIZE=ON \
	    -DTOMBOLIX_WERROR=$(TOMBOLIX_WERROR)
	cmake --build build-asan -j$(JOBS)
	@sh scripts/install-deps.sh chromium
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:suppressions=$(CURDIR)/scripts/lsan.supp \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOMBOLIX_FUZZ=ON \
	    -DTOMBOLIX_WERROR=$(TOMBOLIX_WERROR) \
	    -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-fuzz -j$(JOBS) --target fuzzers
	sh scripts/run-fuzzers.sh build-fuzz

windows:
	sh scripts/windows.sh

windows-test: windows
	sh scripts/windows-test.sh

# every C++ file the repository holds, as .clang-format (Debian's clang-format 14) lays it out
format:
	@sh scripts/install-deps.sh clang-format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@sh scripts/install-deps.sh clang-format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-win Tombolix-1.01-win64.zip tombolix_*.deb
