# Two entry points: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD   ?= build
ASAN    ?= build-asan
TSAN    ?= build-tsan
FUZZ    ?= build-fuzz
SECONDS ?= 60
FUZZ_ZIELE = datendatei strukturdatei jahrgang ssv
JOBS    ?= $(shell nproc)
WORKDIR ?= arbeitsordner

.PHONY: all deps configure build programm run test test-asan test-tsan fuzz clean

all: build

deps:
	@sh scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what `make run` starts: the program and the plug-in, no tests, benchmarks or fuzz targets.
programm: configure
	@cmake --build $(BUILD) -j $(JOBS) --target orvaskeln vendralimo

run: programm
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

# The fuzz targets (clang, libFuzzer, ASan and UBSan), each run for SECONDS seconds, outside `make test`;
# a target with a word list fuzz/<target>.dict gets it.
# New corpus entries go to $(FUZZ)/corpus/<target>, failing inputs to $(FUZZ)/funde/<target>; copy
# each failing input into fuzz/regressions/<target>/ so that `make test` replays it.
fuzz: deps
	@sh scripts/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVASK_GUI=OFF \
		-DORVASK_SANITIZE=address -DORVASK_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_ZIELE))
	@for z in $(FUZZ_ZIELE); do \
		mkdir -p $(FUZZ)/corpus/$$z $(FUZZ)/funde/$$z; \
		echo "== fuzz_$$z, $(SECONDS) s"; \
		woerter=""; [ -f fuzz/$$z.dict ] && woerter="-dict=$(CURDIR)/fuzz/$$z.dict"; \
		$(FUZZ)/fuzz/fuzz_$$z $$woerter -max_total_time=$(SECONDS) -timeout=1 -rss_limit_mb=2048 -max_len=16384 \
			-artifact_prefix=$(CURDIR)/$(FUZZ)/funde/$$z/ $(CURDIR)/$(FUZZ)/corpus/$$z $(CURDIR)/fuzz/corpus/$$z \
			|| exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN) $(FUZZ)

