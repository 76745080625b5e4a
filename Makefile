# Thin front over CMake. `make test` and `make demo` work on a fresh Debian machine:
# they install the build dependencies first when any is missing.
JOBS ?= $(shell nproc)
# GTK 3 draws the progress window on the desktop, and Xvfb gives its tests a virtual display; a
# build without them still works and skips both.
DEPS := cmake g++ make pkg-config libsqlite3-dev libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev unixodbc-dev odbcinst libsqliteodbc libgtk-3-dev libx11-dev xvfb clang-format git
ASAN_DIR := build/asan
REL_DIR := build/release
COV_DIR := build/coverage

.PHONY: all deps asan-config test test-fast demo release bench coverage format format-check clean

all: release

deps:
	@missing=""; for p in $(DEPS); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

# Configured on every run, so that a build folder made before an option changed takes it up.
asan-config: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTMIGRATION_SANITIZE=ON -DTMIGRATION_WERROR=ON

$(REL_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(REL_DIR) -DCMAKE_BUILD_TYPE=Release

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors, after
# the formatting check.
test: deps format-check asan-config
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS)

# Everything but the cases labelled `slow`, for the edit-compile-test loop.
test-fast: deps asan-config
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS) -LE slow

release: deps $(REL_DIR)/CMakeCache.txt
	cmake --build $(REL_DIR) -j $(JOBS)

demo: release
	./scripts/demo.sh $(REL_DIR)

# BENCH_SCALE: the sample plant's scale(s) for the migration benchmark; BENCH_DIALECTS: which entry points.
BENCH_SCALE ?= 100
BENCH_DIALECTS ?= access sql oracle
bench: release
	$(REL_DIR)/bench/tmigration_bench
	$(REL_DIR)/bench/tmigration_append_bench
	$(REL_DIR)/bench/tmigration_migration_bench $(BENCH_SCALE) $(BENCH_DIALECTS)
	$(REL_DIR)/bench/tmigration_replay_bench

# Line coverage of the suite (without the slow cases) with gcov and lcov; lcov is installed on
# first use only, it is not a build dependency. Prints the embedded engine's and the whole
# library's summaries; the HTML report lands in build/coverage/html.
coverage: deps
	@dpkg -s lcov >/dev/null 2>&1 || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq lcov; }
	cmake -S . -B $(COV_DIR) -DCMAKE_BUILD_TYPE=Debug -DTMIGRATION_COVERAGE=ON
	cmake --build $(COV_DIR) -j $(JOBS)
	lcov --quiet --zerocounters --directory $(COV_DIR)
	cd $(COV_DIR) && ctest -j $(JOBS) -LE slow >/dev/null || true
	lcov --quiet --capture --directory $(COV_DIR) --output-file $(COV_DIR)/all.info
	lcov --quiet --extract $(COV_DIR)/all.info '$(CURDIR)/src/*' --output-file $(COV_DIR)/src.info
	lcov --quiet --extract $(COV_DIR)/all.info '$(CURDIR)/src/db/engines/embedded/*' --output-file $(COV_DIR)/engine.info
	@echo "== embedded engine (src/db/engines/embedded)"; lcov --summary $(COV_DIR)/engine.info
	@echo "== library (src)"; lcov --summary $(COV_DIR)/src.info
	genhtml --quiet $(COV_DIR)/src.info --output-directory $(COV_DIR)/html

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails, naming the files, when any source file differs from what `make format` would write.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
