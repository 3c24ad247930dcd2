# Two commands do everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts Plinkety
#   make test   installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps deps-test screenshot clean

run: deps build
	./$(BUILD)/src/plinkety

test: deps-test build
	bash scripts/run-tests.sh $(BUILD)

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

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
