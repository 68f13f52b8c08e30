# Quillpad: the two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the calculator
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run dist test test-menu build deps native windows sanitize fuzz fuzz-build bench bench-build clean

FUZZ_SECONDS ?= 60

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
	sed 's/$$/\r/' docs/README-windows.txt > build/dist/Quillpad/README.txt
	cd build/dist && rm -f ../../dist/Quillpad-2.51.zip && zip -q -r ../../dist/Quillpad-2.51.zip Quillpad
	@echo "dist/Quillpad-2.51.zip"

test: deps native windows sanitize
	ctest --preset native
	ctest --preset sanitize
	ctest --preset windows
	$(MAKE) --no-print-directory fuzz

# The popup menu's end-to-end tests: keys sent into Wine's popup menus are
# still lost now and then on a loaded machine, so they are not yet part of
# make test.
test-menu: deps windows
	cd tests/e2e && QUILL_WINDOWS_BUILD="$(CURDIR)/build/windows" python3 -m unittest -v test_menu

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
