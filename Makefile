# Quillpad: the two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the calculator
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run test build deps native windows sanitize fuzz clean

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

native:
	cmake --preset native >/dev/null
	cmake --build --preset native

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows

sanitize:
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize

fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	bash scripts/run-fuzz.sh $(FUZZ_SECONDS)

clean:
	rm -rf build
