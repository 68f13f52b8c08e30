# Quillpad: the two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the calculator
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run dist test build deps lint native windows sanitize fuzz fuzz-build bench bench-build compare clean

FUZZ_SECONDS ?= 60
# The one version, as the CMake project states it.
VERSION := $(shell sed -n 's/^project.Quillpad VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The window through Wine when there is a display, else the command-line calculator.
run: deps windows native
	@if [ -n "$$DISPLAY" ]; then \
	  mkdir -p build/run && cp build/windows/Quillpad.exe build/run/ && \
	  cd build/run && WINEPREFIX="$(CURDIR)/build/windows/wineprefix" WINEDEBUG=-all wine Quillpad.exe; \
	else \
	  echo "No display (DISPLAY is not set): starting the command-line calculator instead."; \
	  ./build/native/cli/quillpad-cli; \
	fi

# A zip for people on Windows: the window, the command-line calculator, a read-me.
dist: deps windows
	rm -rf build/dist && mkdir -p build/dist/Quillpad dist
	cp build/windows/Quillpad.exe build/windows/cli/quillpad-cli.exe build/dist/Quillpad/
	sed 's/$$/\r/' build/windows/README-windows.txt > build/dist/Quillpad/README.txt
	cd build/dist && rm -f ../../dist/Quillpad-$(VERSION).zip && zip -q -r ../../dist/Quillpad-$(VERSION).zip Quillpad
	@echo "dist/Quillpad-$(VERSION).zip"

test: deps native windows sanitize bench-build
	$(MAKE) --no-print-directory lint
	ctest --preset native
	ctest --preset sanitize
	ctest --preset windows
	$(MAKE) --no-print-directory fuzz

build: deps native windows

# clang-format, clang-tidy and the layers' includes; make test runs it first.
lint: native
	bash scripts/lint.sh

deps:
	@bash scripts/install-deps.sh

# Each build configuration is a CMake preset of the same name.
native windows sanitize bench-build fuzz-build:
	cmake --preset $(@:-build=) >/dev/null
	cmake --build --preset $(@:-build=)

bench: bench-build
	./build/bench/bench/calc_bench

# quillpad-cli against bc -l on 100,000 random expressions.
compare: bench-build
	bash bench/compare.sh

fuzz: fuzz-build
	bash scripts/run-fuzz.sh $(FUZZ_SECONDS)

clean:
	rm -rf build
