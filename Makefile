# Korvane: the two commands that matter are `make play` and `make test`.
BUILD      := build
ASAN_BUILD := build-asan
JOBS       := $(shell nproc 2>/dev/null || echo 2)
DISPLAYED  := ./scripts/with-display.sh
SOURCES     = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')

FUZZ_SECONDS ?= 600

.PHONY: all deps build play test test-fast test-asan test-fuzz fuzz bench format clean

all: build

deps:
	@./scripts/install-deps.sh

# The game at build/korvane, its content generated into data/.
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Runs the game from the folder that holds data/.
play: build
	./$(BUILD)/korvane

# The whole suite, headless: the normal build, the sanitizer build, and each fuzzer for 30 s.
test: test-fast test-asan test-fuzz

test-fast: build
	$(DISPLAYED) ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_CONTENT=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(DISPLAYED) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The fuzzers need the generated content the normal build makes.
test-fuzz: build
	FUZZ_JOBS=4 ./scripts/fuzz.sh 30

# Each reader's fuzzer for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=1800), two at a time.
fuzz: build
	./scripts/fuzz.sh $(FUZZ_SECONDS)

bench: build
	ALSOFT_DRIVERS=null $(DISPLAYED) ./$(BUILD)/korvane_bench

format:
	clang-format -i $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz data/graphics data/sounds data/fonts data/.generated
