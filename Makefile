BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/karoblen

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
