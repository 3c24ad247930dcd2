# Two commands do everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts Plinkety
#   make test   installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
# make test also runs every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target (fuzz/) for FUZZ_RUNS inputs.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_RUNS ?= 20000
# Leaks are looked for too; none needs a suppression.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test build deps deps-test screenshot clean build-asan build-fuzz

run: deps build
	./$(BUILD)/src/plinkety

test: deps-test build build-asan build-fuzz
	bash scripts/run-tests.sh $(BUILD)
	$(SANITIZER_ENV) bash scripts/run-tests.sh $(ASAN_BUILD)
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_RUNS)

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINKETY_SANITIZE=ON -DPLINKETY_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

build-fuzz:
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

deps:
	bash scripts/install-deps.sh run

deps-test:
	bash scripts/install-deps.sh test

# Pictures of the windows for the README, rendered offscreen into docs/.
screenshot: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target plinkety-screenshot
	./$(BUILD)/tools/screenshot/plinkety-screenshot docs

clean:
	rm -rf $(BUILD)
	rm -rf $(ASAN_BUILD) $(FUZZ_BUILD)
