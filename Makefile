# KOVQuillet: build, test and run the Windows program on Debian through Wine.
# `make test` and `make run` install what they need (as root) and set everything up.

SHELL := /bin/bash
ARCHS := x86_64 i686
EXE := build/x86_64/src/app/KOVQuillet.exe

.PHONY: all deps build test run bench bench-scale fuzz screenshot clean

all: build

deps:
	@tools/deps.sh

build: deps
	@tools/build.sh $(ARCHS)

CTEST := ctest --test-dir build/x86_64 --output-on-failure --timeout 300 --repeat until-pass:2

# The tests of double-byte names run once more in a session of their own, whose Japanese
# locale gives Wine the ANSI code page 932.
test: build
	@WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-test tools/wine-session.sh $(CTEST)
	@LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-cp932 \
	  tools/wine-session.sh $(CTEST) -R CodePage932 --no-tests=error

run: deps
	@tools/build.sh x86_64
	@ANNOUNCE_DISPLAY=1 WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-run tools/wine-session.sh tools/run-program.sh $(EXE)

bench: deps
	@tools/build.sh x86_64
	@WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-bench tools/wine-session.sh tools/run-benchmarks.sh build/x86_64/bench

# A tree of half a million entries, searched by the window and the console program.
bench-scale: deps
	@tools/build.sh x86_64
	@WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-bench tools/wine-session.sh tools/run-benchmarks.sh build/x86_64/bench bench_scale

# Mutated version resources read by the program and by the system, compared; `make test`
# runs 2,000 of these cases.
fuzz: deps
	@tools/build.sh x86_64
	@WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-fuzz tools/wine-session.sh \
	  sh -c '"$$WINE" build/x86_64/tests/fileinfo/version_fuzz.exe --cases=100000'

screenshot: deps
	@tools/build.sh x86_64
	@DISPLAY= WINE_SESSION_PREFIX=$(CURDIR)/build/prefix-screenshot tools/wine-session.sh tools/take-screenshot.sh $(EXE) build/screenshot.png

clean:
	rm -rf build
