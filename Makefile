# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
SAN ?= build-san
JOBS ?= $(shell nproc)

.PHONY: all setup build data run test test-san clean install deb

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Game data is generated from the committed recipes by the content tool.
data: build
	@cmake --build $(BUILD) --target data -j $(JOBS)

run: data
	./$(BUILD)/kestrune

# Every unit test also passes in shuffled orders in one process: no test leans on another's leftovers.
test: data
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(BUILD)/tests/kestrune_tests --gtest_shuffle --gtest_repeat=3 --gtest_brief=1
	@$(BUILD)/tests/kestrune_sim_tests --gtest_shuffle --gtest_repeat=3 --gtest_brief=1
	@$(MAKE) --no-print-directory test-san

# The unit and simulation tests again under AddressSanitizer and UndefinedBehaviorSanitizer (clang),
# then a few seconds of each loader's fuzzer from its seed corpus. This build's data step already runs
# the whole content tool under the sanitizers; the tests that only make its tree or its track pictures
# again (minutes each here) are left to the release run.
SAN_SKIP = ^display_|^ContentTree\.TwoRuns|^ContentBuild\.ADeleted|^ContentTrackPictures\.
test-san: setup
	@CC=clang CXX=clang++ cmake -S . -B $(SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_SANITIZE=ON \
	    -DKESTRUNE_FUZZ=ON -DKESTRUNE_BENCH=OFF >/dev/null
	@cmake --build $(SAN) -j $(JOBS) --target kestrune_tests kestrune_sim_tests kesride fuzzers
	@cd $(SAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS) -E '$(SAN_SKIP)'

# Installs under PREFIX (default /usr/local), into DESTDIR when it is set: the program in games/, the data
# in share/games/kestrune/, desktop entry, icons, AppStream metadata and manual page.
PREFIX ?= /usr/local
install: build
	@cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) --target dist -j $(JOBS)
	@cmake --install $(BUILD)

# The Debian package, built by debhelper from the same install rules in this build folder:
# $(BUILD)/kestrune_VERSION_ARCH.deb.
deb: build
	@fakeroot debian/rules binary KESTRUNE_BUILD=$(BUILD)
	@ls -l $(BUILD)/kestrune_*.deb

# The player's files in data/ (scores, preferences, an edited key map) are never the build's to delete.
clean:
	@bash scripts/cleandata.sh data
	rm -rf $(BUILD) $(SAN) debian/kestrune debian/.debhelper debian/files debian/*.substvars debian/debhelper-build-stamp debian/*.debhelper.log
