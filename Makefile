# The two commands of the README: `make run` and `make test`.
BUILD := build
JOBS  ?= $(shell nproc)

.PHONY: run test build deps configure clean

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Builds and starts the game with build/ as its working directory.
run: build
	cd $(BUILD) && ./zimbolo

# The same build with the sanitizers on, then every test.
test: CMAKE_FLAGS += -DZIMBOLO_SANITIZE=ON
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
