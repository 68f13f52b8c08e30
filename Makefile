# Quillpad: the two commands of the README, and the steps behind them.
#   make run    installs what is missing, builds, starts the calculator
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run dist deb install test build deps lint native windows sanitize fuzz fuzz-build bench bench-build compare clean

FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
DESTDIR ?=
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

# For people on Windows: a zip and a per-user installer holding the same
# files (the window and the command-line calculator, both stripped of their
# debugging sections, the help page, the licence, a read-me).
dist: deps windows
	rm -rf build/dist && mkdir -p build/dist dist
	bash packaging/windows/stage.sh build/windows build/dist/Quillpad
	cd build/dist && rm -f ../../dist/Quillpad-$(VERSION).zip && zip -q -r ../../dist/Quillpad-$(VERSION).zip Quillpad
	bash packaging/windows/installer.sh build/dist/Quillpad $(VERSION) dist/Quillpad-$(VERSION)-setup.exe
	bash scripts/sums.sh $(VERSION)
	@echo "dist/Quillpad-$(VERSION).zip dist/Quillpad-$(VERSION)-setup.exe"

# quillpad-cli as a Debian package; its dependencies come from what it links.
deb: deps native
	rm -rf build/deb
	cd build/native && cpack -G DEB -B $(CURDIR)/build/deb
	mkdir -p dist && cp build/deb/quillpad-cli_$(VERSION)_amd64.deb dist/
	bash scripts/sums.sh $(VERSION)
	@echo "dist/quillpad-cli_$(VERSION)_amd64.deb"

# quillpad-cli, its manual page, bash completion and read-me under PREFIX.
install: deps native
	DESTDIR="$(DESTDIR)" cmake --install build/native --prefix "$(PREFIX)"

test: deps native windows sanitize bench-build
	$(MAKE) --no-print-directory lint
	ctest --preset native
	ctest --preset sanitize
	ctest --preset windows
	$(MAKE) --no-print-directory fuzz

build: deps native windows

# clang-format, clang-tidy and the layers' includes; make test runs it first.
lint: native windows
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
