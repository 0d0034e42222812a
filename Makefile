# Thin wrapper around CMake: every target installs what is missing first.
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test bench fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/src/app/lirvo $(ARGS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/lirvo_bench $(ARGS)

# The saved-game reader under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# for FUZZ_SECONDS, starting from the test files; new inputs gather in $(FUZZ_BUILD)/corpus.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DLIRVO_FUZZ=ON -DLIRVO_BUILD_TESTS=OFF -DLIRVO_BUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target record_reader_fuzz
	@mkdir -p $(FUZZ_BUILD)/corpus
	@$(FUZZ_BUILD)/fuzz/record_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		$(FUZZ_BUILD)/corpus tests/saves/files

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD)
