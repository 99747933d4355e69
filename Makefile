# Quick start: `make run` starts the program with the sample news site; `make test` runs every test.

BUILD_PACKAGES := cmake ninja-build g++ make pkg-config python3 libgtest-dev libgmock-dev \
	libbenchmark-dev libcurl4-openssl-dev libcpp-httplib-dev qt6-base-dev libx11-dev libxi-dev \
	libxtst-dev
# The end-to-end tests: a private X server, X clients and keyboard layouts; the Windows build:
# MinGW-w64, GoogleTest's sources, and Wine to run it.
TEST_PACKAGES := xvfb python3-xlib x11-xkb-utils xkb-data googletest g++-mingw-w64-x86-64-posix \
	wine wine64 clang-14 libclang-rt-14-dev
export PATH := /usr/sbin:/sbin:$(PATH)

.PHONY: all deps test-deps build run test test-default test-asan test-windows test-fuzz fuzz bench format clean

all: build

deps:
	@tools/ensure-packages.sh $(BUILD_PACKAGES)

build: deps
	cmake --preset default
	cmake --build --preset default

test-deps: deps
	@tools/ensure-packages.sh $(TEST_PACKAGES)

run: build
	tools/run-program.sh

test: test-deps test-default test-asan test-windows test-fuzz

test-default:
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The Windows program, cross-built with MinGW-w64; its tests run under Wine.
test-windows:
	cmake --preset mingw
	cmake --build --preset mingw
	ctest --preset mingw

# Each fuzz target for a short while, so CI keeps them honest; `make fuzz` runs them longer.
FUZZ_SECONDS ?= 300
test-fuzz:
	tools/run-fuzz.sh 25

fuzz: test-deps
	tools/run-fuzz.sh $(FUZZ_SECONDS)

bench: build
	bench/run.sh

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf build
