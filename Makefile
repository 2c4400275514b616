# Two entry points: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD   ?= build
ASAN    ?= build-asan
TSAN    ?= build-tsan
JOBS    ?= $(shell nproc)
WORKDIR ?= arbeitsordner

.PHONY: all deps configure build run test test-asan test-tsan clean

all: build

deps:
	@sh scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p $(WORKDIR)/plugins
	@cp -f $(BUILD)/plugins/*.so $(WORKDIR)/plugins/ 2>/dev/null || true
	cd $(WORKDIR) && ../$(BUILD)/orvaskeln

test: build test-asan test-tsan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Qt-free tests once more under AddressSanitizer and UBSan.
test-asan: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DORVASK_SANITIZE=address -DORVASK_GUI=OFF >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

# The planning tests (generator threads, random source) once more under ThreadSanitizer.
test-tsan: deps
	@cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=Debug -DORVASK_SANITIZE=thread -DORVASK_GUI=OFF >/dev/null
	@cmake --build $(TSAN) -j $(JOBS) --target orvask_core_tests
	cd $(TSAN) && ctest --output-on-failure -j $(JOBS) -R 'Planung|Zufall'

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN)

# The .ssv reader's fuzz target on its own (libFuzzer through clang), seeded from fuzz/corpus/ssv;
# an input that fails is left in fuzz/regressions/ssv, which the tests replay.
FUZZ_SECONDS ?= 60
SSV_FUZZ_QUELLEN = fuzz/ssv_fuzz.cpp plugins/vendralimo/altdatenimport.cpp plugins/vendralimo/ssveingabe.cpp \
	platform/text.cpp platform/textfile.cpp model/database/standardstruktur.cpp
.PHONY: fuzz-ssv
fuzz-ssv:
	@mkdir -p build-fuzz-ssv/korpus
	clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
		$(SSV_FUZZ_QUELLEN) -o build-fuzz-ssv/ssv_fuzz
	build-fuzz-ssv/ssv_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -print_final_stats=1 \
		-artifact_prefix=fuzz/regressions/ssv/ build-fuzz-ssv/korpus fuzz/corpus/ssv
