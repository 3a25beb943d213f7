# Two entry points: `make test` and `make run`. Both install what is missing first.
BUILD      ?= build
SAN_BUILD  ?= build-san
GENERATOR  ?= Ninja
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps build build-san test run bench fuzz package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-san: deps
	@cmake -S . -B $(SAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DWEXLAN_SANITIZE=ON -DWEXLAN_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)

test: build build-san
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

run: build
	@$(BUILD)/app/wexlan

bench: build
	@for b in $(BUILD)/bench/bench_*; do $$b; done

# Each fuzz target for FUZZ_SECONDS, from the committed seed corpus.
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DWEXLAN_FUZZ=ON -DWEXLAN_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-all.sh $(FUZZ_BUILD)/fuzz

# The Debian package, in $(BUILD), and lintian's verdict on it: any error or
# warning fails.
package: build
	@scripts/install-deps.sh package
	@cd $(BUILD) && cpack -G DEB
	@packaging/lint-deb.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
