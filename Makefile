# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test sanitize tidy bench fuzz shots format install uninstall package clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/karoblen

# Each run leaves ctest-junit.xml in its build folder; CI reads the skips there.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --output-junit ctest-junit.xml

# The whole suite, end-to-end tests included, built with clang's address and
# undefined-behaviour sanitizers in a folder of its own. The fuzzers are
# sanitized builds already and are left out here.
SANITIZER_ENV = ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DKAROBLEN_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -LE fuzz \
		--output-junit ctest-junit.xml

# clang-tidy over every source the build compiles, tests included.
tidy: deps $(BUILD)/CMakeCache.txt
	./scripts/tidy.sh $(BUILD) $(JOBS)

bench: deps $(BUILD)/CMakeCache.txt
	@./scripts/install-deps.sh --bench
	cmake -S . -B $(BUILD) >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	./scripts/run-benchmarks.sh $(BUILD)

fuzz: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers.sh $(BUILD) 60

format: deps
	./scripts/format.sh

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	./packaging/uninstall.sh $(BUILD) $(PREFIX)

# A Debian package in $(BUILD), from the same install rules, for /usr.
package: build
	cd $(BUILD) && cpack -G DEB

shots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/karoblen-shots shots

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
