# Thin wrapper around CMake: every target installs what is missing first.
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZE_BUILD ?= build-asan

.PHONY: deps configure build run test sanitize bench fuzz clean

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

# Every test again, the program included, under AddressSanitizer and
# UndefinedBehaviorSanitizer: any finding fails its test. Leaks inside the
# system's libraries are suppressed by the function that leaks, which needs
# whole stacks (the libraries keep no frame pointers); never ours.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLIRVO_SANITIZE=ON \
		-DLIRVO_BUILD_BENCHMARKS=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && \
		ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1:fast_unwind_on_malloc=0 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/leaks-outside-lirvo.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

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
	@rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
