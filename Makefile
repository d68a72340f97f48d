# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a newcomer needs: `make run` and `make test`. They, and
# the developer targets, install what is missing with apt-get; `make`,
# `make build` and `make install` never do, so that a package build may run
# them (`make deps` installs what the build needs).
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
PACKAGE_BUILD ?= build-package
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps test-deps tests-on build run test sanitize tidy bench fuzz shots format format-check \
	update-po install uninstall package dist clean

all: build

# Build dependencies only; the test tools come with the targets that use them.
deps:
	@./scripts/install-deps.sh

test-deps:
	@./scripts/install-deps.sh --test

# A new build directory builds the game alone; `make test` and the other
# developer targets switch the tests on, every group of them, with a missing
# test tool a failure (cmake/test_groups.cmake), and they stay on there.
$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF

TEST_GROUPS = KAROBLEN_E2E_TESTS KAROBLEN_PACKAGING_TESTS KAROBLEN_FUZZ_TESTS
tests-on: test-deps
	@(for on in BUILD_TESTING:BOOL $(addsuffix :STRING,$(TEST_GROUPS)); do \
		grep -qx "$$on=ON" $(BUILD)/CMakeCache.txt 2>/dev/null || exit 1; \
	done) || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
		$(addprefix -D,$(addsuffix =ON,$(TEST_GROUPS)))

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	@$(BUILD)/karoblen

# Each run leaves ctest-junit.xml in its build folder; CI reads the skips there.
# The end-to-end tests mostly wait for their servers, so more of them run at
# once than there are processors; a test that keeps processors busy says so
# (ctest's PROCESSORS).
CTEST_JOBS ?= $(shell echo $$(( $(JOBS) * 3 )))
test: tests-on
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(CTEST_JOBS) --output-junit ctest-junit.xml

# The whole suite, end-to-end tests included, built with clang's address and
# undefined-behaviour sanitizers in a folder of its own. The fuzzers are
# sanitized builds already and are left out here.
SANITIZER_ENV = ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: test-deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
		-DKAROBLEN_E2E_TESTS=ON -DKAROBLEN_PACKAGING_TESTS=ON -DKAROBLEN_FUZZ_TESTS=OFF \
		-DCMAKE_CXX_COMPILER=clang++ -DKAROBLEN_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(CTEST_JOBS) \
		--output-junit ctest-junit.xml

# clang-tidy over every source the build compiles, tests included, each on
# its own: the tree it reads compiles them one by one.
TIDY_BUILD ?= build-tidy
tidy: test-deps
	cmake -S . -B $(TIDY_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DCMAKE_UNITY_BUILD=OFF \
		$(addprefix -D,$(addsuffix =ON,$(TEST_GROUPS)))
	./scripts/tidy.sh $(TIDY_BUILD) $(JOBS)

bench: tests-on
	@./scripts/install-deps.sh --bench
	cmake -S . -B $(BUILD) >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	./scripts/run-benchmarks.sh $(BUILD)

fuzz: tests-on
	cmake --build $(BUILD) -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers.sh $(BUILD) 60

format: test-deps
	./scripts/format.sh

# After a text changes in res/ or packaging/: remakes po/karoblen.pot and
# merges it into every po/LL.po.
update-po: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target update-po

# The check CI runs; a developer's, not part of the test suite.
format-check: test-deps
	./scripts/format.sh --check

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	./packaging/uninstall.sh $(BUILD) $(PREFIX)

# A Debian package in $(PACKAGE_BUILD), from the same install rules, for
# /usr, built without the tests.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

# karoblen-VERSION.tar.gz in $(BUILD), from the last commit.
dist: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target dist

shots: tests-on
	cmake --build $(BUILD) -j $(JOBS) --target karoblen-shots
	QT_QPA_PLATFORM=offscreen $(BUILD)/karoblen-shots shots

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD)
