# Thin wrapper around CMake: every target installs what is missing first.
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZE_BUILD ?= build-asan
WEB_BUILD ?= build-web
WEB_PORT  ?= 8080

.PHONY: deps configure build run test sanitize bench fuzz clean web web-run web-bench

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/src/app/lirvo $(ARGS)

# The desktop's tests, then the browser copy's story in headless chromium;
# its screenshots stay in $(BUILD)/browser-screenshots.
test: build web
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@/usr/bin/python3 tests/browser/browser_story.py $(WEB_BUILD) $(BUILD)/browser-screenshots

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

# The browser copy: $(WEB_BUILD)/ holds the page (index.html, lirvo.js,
# lirvo.wasm, the fonts' and pictures' packages, the manifest, icons and
# service worker), CMake's files in $(WEB_BUILD)/cmake. The libraries
# come from scripts/install-web-deps.sh, which prints where it keeps them; a
# build made with other libraries starts again, as CMake keeps what it found.
# emscripten's JavaScript tools look for their modules in Debian's folder.
web:
	@prefix=$$(bash scripts/install-web-deps.sh | tail -1) && \
	if [ "$$(cat $(WEB_BUILD)/cmake/libraries 2>/dev/null)" != "$$prefix" ]; then \
		rm -rf $(WEB_BUILD)/cmake && mkdir -p $(WEB_BUILD)/cmake && echo "$$prefix" >$(WEB_BUILD)/cmake/libraries; fi && \
	export NODE_PATH=/usr/share/nodejs EM_PKG_CONFIG_PATH=$$prefix/lib/pkgconfig && \
	emcmake cmake -S . -B $(WEB_BUILD)/cmake -DCMAKE_BUILD_TYPE=Release \
		-DLIRVO_BUILD_TESTS=OFF -DLIRVO_BUILD_BENCHMARKS=OFF -DLIRVO_WEB_SITE=$(CURDIR)/$(WEB_BUILD) \
		-DCMAKE_PREFIX_PATH=$$prefix -DCMAKE_FIND_ROOT_PATH=$$prefix -DBoost_INCLUDE_DIR=$$prefix/boost-include >/dev/null && \
	cmake --build $(WEB_BUILD)/cmake -j $(JOBS)

# First frame (also throttled as on a phone), drag frame costs, idle CPU and
# first-visit download sizes at each scale of the page, in headless chromium.
web-bench: web
	@/usr/bin/python3 bench/browser/measure.py $(WEB_BUILD)

web-run: web
	@echo "Lirvo: http://127.0.0.1:$(WEB_PORT)/"
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(WEB_BUILD)
