# The README's two commands, through make.sh on a machine that has nothing
# but this source, or straight through make where make is installed:
#   make run    installs what is missing, builds and starts Plinkety
#   make test   installs what is missing, builds and runs every test
#   make deb    builds the Debian source package, .deb and -dbgsym .deb into DEB_DIR
#   make windows  builds the Windows program, its installer and a zip into WINDOWS_DIR
BUILD ?= build
JOBS ?= $(shell nproc)
# make test builds everything once, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test once in that build; it
# gives each fuzz target (fuzz/) FUZZ_RUNS inputs, and builds the Debian
# packages as Debian does and checks them.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_RUNS ?= 20000
# The packages are built by dpkg-buildpackage (debian/rules) from a copy of
# the source in DEB_BUILD, apart from the other builds; the source package,
# the .deb, its -dbgsym .deb, the .buildinfo and the .changes go to DEB_DIR.
DEB_BUILD ?= build-deb
DEB_DIR ?= .
# The Windows build: its Qt is built once into ~/.cache/plinkety.
WINDOWS_BUILD ?= build-windows
WINDOWS_DIR ?= .
# Its benchmarks' programs too; make test leaves them out.
WINDOWS_BENCH ?= ON
# Leaks are looked for too; none needs a suppression.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test test-asan test-quiet test-fuzz test-windows configure build build-program deps deps-test deps-deb deps-windows deb check-deb windows screenshot clean build-asan build-fuzz

run: deps build-program
	./$(BUILD)/src/plinkety

# The sanitized build comes first, with both cores, so that the Linux tests
# start as soon as can be; the other builds (Windows, the package, the
# fuzzers) go on beside them at a low priority (LOW: nice), sharing what is
# left alike, so that they end about together: the tests that want a quiet
# machine (PipeWire's sound, and Wine's) come last, with nothing beside them,
# and wait for the last of them. Each step's output is printed whole when it
# ends.
LOW ?=
test: deps-test
	$(MAKE) --no-print-directory -j5 --output-sync=recurse LOW='nice -n 10' \
	    WINDOWS_BENCH=OFF test-asan test-fuzz check-deb test-windows test-quiet

test-asan: build-asan
	$(SANITIZER_ENV) bash scripts/run-tests.sh $(ASAN_BUILD) -LE 'wine|quiet'

test-fuzz: build-fuzz
	$(LOW) bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_RUNS)

# The Windows program's tests, under Wine; its sound is listened to by a
# quiet test of the Linux build. After the Linux tests: Wine is heavy, and
# the sound tests hear in real time.
test-windows: windows test-asan
	bash scripts/run-tests.sh $(WINDOWS_BUILD)

test-quiet: build-asan windows test-asan test-fuzz check-deb test-windows
	$(SANITIZER_ENV) bash scripts/run-tests.sh $(ASAN_BUILD) -L quiet

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build-program: configure
	cmake --build $(BUILD) -j $(JOBS) --target plinkety

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The builds made once from scratch are unity builds: each target's sources
# compiled together, Qt's headers read once. The benchmarks are left out of
# the sanitized build, whose figures would mean nothing; the plain build
# (make build) has them.
build-asan:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINKETY_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
	    -DPLINKETY_BUILD_BENCH=OFF \
	    -DPLINKETY_WASAPI_PROBE=$(abspath $(WINDOWS_BUILD))/wasapi_probe.exe
	cmake --build $(ASAN_BUILD) -j $(JOBS)

build-fuzz:
	$(LOW) cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
	$(LOW) cmake --build $(FUZZ_BUILD) -j $(JOBS)

# debian/rules gives the build Debian's flags and hardening, with its
# debugging data into the -dbgsym package, as a unity build of the program
# alone, without the tests.
deb: deps-deb
	$(LOW) bash scripts/build-deb.sh $(DEB_BUILD) $(DEB_DIR) $(JOBS)

# The packages through lintian (pedantic), appstreamcli and
# desktop-file-validate, and (as root) the package's own tests run on this
# machine by autopkgtest, which installs it; then it is purged.
check-deb: deb
	$(LOW) bash scripts/check-package.sh $$(ls -t $(DEB_DIR)/plinkety_*.changes | head -n 1)

deps:
	sh scripts/install-deps.sh run

deps-test:
	sh scripts/install-deps.sh test

deps-deb:
	sh scripts/install-deps.sh deb

deps-windows:
	sh scripts/install-deps.sh windows

windows: deps-windows
	PLINKETY_WINDOWS_BENCH=$(WINDOWS_BENCH) $(LOW) bash scripts/windows/build.sh $(WINDOWS_BUILD) $(WINDOWS_DIR)

# Pictures of the windows for the README, rendered offscreen into docs/.
screenshot: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target plinkety-screenshot
	./$(BUILD)/tools/screenshot/plinkety-screenshot docs

clean:
	rm -rf $(BUILD)
	rm -rf $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD) $(WINDOWS_BUILD)
