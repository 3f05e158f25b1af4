# Swish Cam: `make run` plays, `make test` runs every test. Both install what is missing.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)

.PHONY: deps build run test test-sanitize test-tsan fuzz fuzz-smoke bench package package-check clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-game.sh $(BUILD)/swishcam

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSWISH_SANITIZE=ON -DSWISH_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The tests that start threads, under ThreadSanitizer.
test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSWISH_TSAN=ON -DSWISH_BENCH=OFF >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target tsan_tests
	@TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS)

# The Debian package, swishcam_<version>_amd64.deb in $(BUILD), from the tree `build` made.
package: build
	@scripts/install-deps.sh dpkg-dev file
	@cd $(BUILD) && cpack

# The package as a player's system meets it: validators, lintian, then an install, a game
# played by a throwaway user and a purge. Installs system-wide, so it runs as root or sudo.
package-check: package
	@scripts/install-deps.sh lintian desktop-file-utils appstream
	@scripts/check-package.sh $(BUILD)

# Every reader of outside bytes under libFuzzer, ASan and UBSan, FUZZ_SECONDS each.
fuzz:
	@scripts/install-deps.sh clang-15 libfuzzer-15-dev
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++-15 -DSWISH_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-smoke:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
