# SPDX-License-Identifier: GPL-3.0-or-later
# Velmora: the two commands that matter are `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build.

BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
# Compiler warnings as errors in the normal and the fuzz build (what CI runs);
# `make run WERROR=OFF` for a compiler that warns where Debian 12's does not.
WERROR     ?= ON

# Debian 12 packages the build and the tests need.
PACKAGES = cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
           qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev desktop-file-utils appstream poppler-utils \
           nlohmann-json3-dev libcli11-dev python3-jsonschema
FUZZ_PACKAGES = clang libclang-rt-14-dev
# What `make package` needs besides: dpkg-shlibdeps computes the dependencies.
DEB_PACKAGES = dpkg-dev file
# What `make package-check` (part of `make test`) needs besides.
CHECK_PACKAGES = lintian $(DEB_PACKAGES)

.PHONY: all deps build run test test-fast test-asan lint bench fuzz fuzz-build fuzz-smoke package package-check clean

all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=$(WERROR) $(CMAKE_ARGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run-window.sh $(BUILD)

# Every test, in the normal build and in the sanitizer build, the sources
# against the format and the static checks, a short run of every fuzz
# target, and lintian on the package.
test: test-fast lint test-asan fuzz-smoke package-check

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON $(CMAKE_ARGS) >/dev/null
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# The sources against .clang-format and .clang-tidy (tools/lint.sh); fails on
# any finding.
lint: build
	@tools/install-deps.sh clang-format clang-tidy
	tools/lint.sh $(BUILD) $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

# libFuzzer targets (clang, ASan+UBSan) for every reader of outside data.
# `make fuzz FUZZ_SECONDS=N` runs each target N seconds, one after the other;
# `make fuzz-smoke` runs each a few seconds.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 3

fuzz-build:
	@tools/install-deps.sh $(PACKAGES) $(FUZZ_PACKAGES)
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DVELMORA_BUILD_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_GUI=OFF -DVELMORA_WERROR=$(WERROR) >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	FUZZ_FLAGS=-seed=1 fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

# The Debian package, from a Release build installed under /usr:
# build-package/velmora_<version>_<arch>.deb
package:
	@tools/install-deps.sh $(PACKAGES) $(DEB_PACKAGES)
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DVELMORA_BUILD_TESTS=OFF $(CMAKE_ARGS) >/dev/null
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB
	@ls build-package/velmora_*.deb

# lintian on the Debian package of the build just tested: CPack packs what
# that build installs, with the control data of `make package`, so no second
# (Release) build of the whole program is made for it. Any error or warning
# fails. lintian is installed like every other test dependency; the check is
# skipped, and says why, only where it cannot be installed (not root, or no
# package source reachable).
package-check: build
	@if ! tools/install-deps.sh $(CHECK_PACKAGES); then \
	  echo "package-check: skipped: lintian could not be installed (the reason is above)"; \
	else \
	  rm -f $(BUILD)/package/velmora_*.deb && \
	  (cd $(BUILD) && cpack -G DEB -B package >/dev/null) && \
	  echo "lintian $$(ls $(BUILD)/package/velmora_*.deb)" && \
	  lintian --fail-on error,warning $(BUILD)/package/velmora_*.deb && \
	  echo "package-check: lintian found nothing"; \
	fi

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) build-bench build-fuzz build-package
