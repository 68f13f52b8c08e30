# Quillpad: the two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the calculator
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run test build deps native windows sanitize fuzz fuzz-build bench bench-build clean

FUZZ_SECONDS ?= 60

run: deps native
	./build/native/cli/quillpad-cli

test: deps native windows sanitize
	ctest --preset native
	ctest --preset sanitize
	ctest --preset windows
	$(MAKE) --no-print-directory fuzz

build: deps native windows

deps:
	@bash scripts/install-deps.sh

# Each build configuration is a CMake preset of the same name.
native windows sanitize bench-build fuzz-build:
	cmake --preset $(@:-build=) >/dev/null
	cmake --build --preset $(@:-build=)

bench: bench-build
	./build/bench/bench/calc_bench

fuzz: fuzz-build
	bash scripts/run-fuzz.sh $(FUZZ_SECONDS)

clean:
	rm -rf build
