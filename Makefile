# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test bench fuzz shots format install uninstall package clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/karoblen

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps $(BUILD)/CMakeCache.txt
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
	rm -rf $(BUILD)
