# The two commands of the README, `make run` and `make test`, and the
# player's `make install` and `make package`.
#
# build/ is the player's build: optimised, without sanitizers, only the game
# and its assets. build/test/ is the test build: sanitizers, tests,
# benchmarks and fuzz targets. Neither touches the other's cache.
BUILD      := build
TEST_BUILD := $(BUILD)/test
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: run test build install package clean

build:
	@./scripts/install-deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DZIMBOLO_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Builds and starts the game with build/ as its working directory.
run: build
	cd $(BUILD) && ./zimbolo

# Installs under PREFIX, staged under DESTDIR when it is given.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Writes build/zimbolo_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack

# Everything with the sanitizers on, then every test.
test:
	@./scripts/install-deps --test
	@cmake -S . -B $(TEST_BUILD) -DZIMBOLO_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
