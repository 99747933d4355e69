# Quick start: `make run` starts the program with the sample news site; `make test` runs every test.
# `make dist SERVER_HOST=HOST[:PORT]` writes the Debian package and the Windows zip into dist/.

BUILD_PACKAGES := cmake ninja-build g++ make pkg-config python3 libgtest-dev libgmock-dev \
	libbenchmark-dev libcurl4-openssl-dev libcpp-httplib-dev qt6-base-dev \
	libx11-dev libxi-dev libxtst-dev
# Packaging: shlibdeps, and the checks a package gets. Defined before the test list that takes it
# in: `:=` expands where it is written, so a list used before it is defined is empty.
DIST_PACKAGES := dpkg-dev lintian appstream desktop-file-utils git
# The benchmarks also measure xbindkeys + xdotool doing the program's job; make test runs every
# benchmark for a moment, that one included, so they are part of the test list.
BENCH_PACKAGES := xbindkeys xdotool
# The layout check of the C++ files (tools/check-format.sh) and `make format`: Debian 12's
# clang-format, 14, the version the layout is checked with.
FORMAT_PACKAGES := clang-format
# The end-to-end tests: a private X server, X clients, keyboard layouts, real tray hosts and a
# window manager; the Windows build: MinGW-w64, GoogleTest's sources, and Wine to run it.
TEST_PACKAGES := xvfb python3-xlib python3-pil python3-dbusmock x11-xkb-utils xkb-data x11-utils googletest \
	g++-mingw-w64-x86-64-posix wine wine64 clang-14 libclang-rt-14-dev trayer dbus-x11 \
	openbox $(BENCH_PACKAGES) $(DIST_PACKAGES) \
	$(FORMAT_PACKAGES)
export PATH := /usr/sbin:/sbin:$(PATH)

.PHONY: all deps test-deps dist-deps format-deps build run test check-format test-unit \
	test-default test-asan test-windows test-fuzz test-desktops desktop-program bench-desktops \
	fuzz bench dist reproducible format clean

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

# The layout check comes first: a badly laid out file stops the run at once, naming the file.
test: test-deps check-format test-default test-asan test-windows test-fuzz

check-format: format-deps
	tools/check-format.sh

format-deps:
	@tools/ensure-packages.sh $(FORMAT_PACKAGES)

# The quick loop while working: the layout check, the default build and its unit tests alone
# (CTest label `unit`), without the end-to-end, sanitizer, Windows and fuzz runs of `make test`.
test-unit: deps check-format
	cmake --preset default
	cmake --build --preset default
	ctest --preset default -L unit

# Two tests at a time: the end-to-end suites mostly wait on the program and their own private X
# servers and ports, so two of them share the two cores of a small machine without crowding.
test-default:
	cmake --preset default
	cmake --build --preset default
	ctest --preset default -j2

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan -j2

# The Windows program, cross-built with MinGW-w64; its tests run under Wine. The unit tests, on
# virtual time, run two at a time (each pays for a Wine start); the rest, which measure real time,
# one at a time.
test-windows:
	cmake --preset mingw
	cmake --build --preset mingw
	ctest --preset mingw -L unit -j2
	ctest --preset mingw -LE unit

# The Linux program on a KDE Plasma 6 Wayland desktop whose Xwayland sends XTest keys through the
# compositor, as the players' newest desktops do: a chroot of Debian unstable, made once in
# build/desktops/sid and kept (tools/desktop-chroot.sh). Not part of `make test`: it needs root,
# Debian's mirror and 1.3 GB; the first run takes about seven minutes, a later one 15 s.
DESKTOP_PACKAGES := debootstrap
IN_DESKTOP := tools/desktop-chroot.sh env PYTHONDONTWRITEBYTECODE=1 \
	PYTHONWARNINGS=ignore::DeprecationWarning BRONTEK_ARTIFACTS=/artifacts
desktop-program: deps
	@tools/ensure-packages.sh $(DESKTOP_PACKAGES)
	cmake --preset default
	cmake --build --preset default --target brontek-tarnlow

test-desktops: desktop-program
	$(IN_DESKTOP) PYTHONPATH=/src/tests/e2e BRONTEK_BIN=/src/build/default/brontek-tarnlow \
		python3 /src/tests/desktops/test_kde_wayland.py -v

# The figures of the same desktop: keypad to keys through the portal, the program's share and
# the desktop's, and the idle cost on that path.
bench-desktops: desktop-program
	$(IN_DESKTOP) python3 /src/bench/desktop_bench.py --bin /src/build/default/brontek-tarnlow

# Each fuzz target for a short while (a few thousand inputs each), so CI keeps them
# honest; `make fuzz` runs them longer.
FUZZ_SECONDS ?= 300
test-fuzz:
	tools/run-fuzz.sh 5

fuzz: test-deps
	tools/run-fuzz.sh $(FUZZ_SECONDS)

# Every benchmark, this build beside a baseline build (BASELINE=<tag or commit>) in the same run.
bench: test-deps
	cmake --preset default
	cmake --build --preset default
	cmake --preset mingw
	cmake --build --preset mingw
	bench/run.sh

dist-deps: deps
	@tools/ensure-packages.sh $(DIST_PACKAGES) g++-mingw-w64-x86-64-posix

# The downloads depend on the commit alone, so anyone can check them: every time in them is the
# last commit's (CPack and CMake's archives honour SOURCE_DATE_EPOCH), no build folder appears in
# a binary (dpkg-buildflags maps it away for the Linux build, the MinGW build does it itself), and
# the exe's header carries no time stamp.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
export SOURCE_DATE_EPOCH

# The news server the downloads ask, HOST or HOST:PORT: `make dist SERVER_HOST=news.example.org`.
# Only the command line sets it (an environment variable of the same name is not taken), and
# without it the downloads ask no server at all.
SERVER_HOST :=

# A Release build with Debian's hardening flags, packaged with CPack, and the Windows Release
# build zipped with its README and licence; SHA256SUMS beside them.
dist: dist-deps
	rm -rf build/dist build/dist-windows dist
	cmake -S . -B build/dist -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRONTEK_TESTS=OFF \
		-DBRONTEK_SERVER_HOST="$(SERVER_HOST)" \
		-DBRONTEK_BENCH=OFF -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) \
		$$(dpkg-buildflags --get CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build build/dist
	cd build/dist && cpack
	mkdir -p dist && cp build/dist/package/*.deb dist/
	cmake -S . -B build/dist-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRONTEK_TESTS=OFF \
		-DBRONTEK_SERVER_HOST="$(SERVER_HOST)" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
	cmake --build build/dist-windows --target windows_zip
	cd dist && sha256sum *.deb *.zip > SHA256SUMS
	@ls -l dist/*.deb dist/*.zip && cat dist/SHA256SUMS

# The downloads built twice, in two clones in two folders: the bytes must be the same.
reproducible:
	tools/check-reproducible.sh

format: format-deps
	clang-format -i $$(git ls-files '*.h' '*.cpp')

# Never into another file system: while `make test-desktops` runs, its chroot in build/ has the
# system's /dev mounted in it.
clean:
	rm -rf --one-file-system build dist
