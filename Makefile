# The two commands of the README, `make run` and `make test`, the player's
# `make install`, `make uninstall` and `make package`, and the browser's
# `make web` and `make serve`.
#
# build/ is the player's build: optimised, without sanitizers, only the game
# and its assets. build/test/ is the test build: sanitizers, tests,
# benchmarks and fuzz targets. Neither touches the other's cache. build/web/
# is the game for a browser, made with build/'s assets.
BUILD      := build
TEST_BUILD := $(BUILD)/test
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
CONFIGURE  := cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DZIMBOLO_SANITIZE=OFF -DBUILD_TESTING=OFF
SERVE_PORT ?= 8000
# The files the last `make install` wrote, DESTDIR included.
# NOTE: not CMake's install_manifest.txt, which every cpack run rewrites with
# the package's files.
INSTALLED  := $(BUILD)/installed_files.txt

.PHONY: run test build install uninstall package web serve clean

build:
	@./scripts/install-deps
	@$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Builds and starts the game with build/ as its working directory.
run: build
	cd $(BUILD) && ./zimbolo

# Installs the build under PREFIX, staged under DESTDIR when it is given,
# stripped as the package is. It never builds: as root (sudo make install) a
# build would leave files in build/ that the player cannot replace, so
# `make build` comes first. CMake's list of what it installed moves to
# $(INSTALLED), for `make uninstall`.
install:
	@test -x $(BUILD)/zimbolo || { echo "make install: nothing is built in $(BUILD)/: run make build first" >&2; exit 1; }
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	@rm -f $(INSTALLED)
	@DESTDIR="$(DESTDIR)" awk '{ print ENVIRON["DESTDIR"] $$0 }' $(BUILD)/install_manifest.txt > $(INSTALLED)
	@rm $(BUILD)/install_manifest.txt

# Removes what the last `make install` installed.
uninstall:
	@test -f $(INSTALLED) || { echo "make uninstall: nothing was installed from $(BUILD)/ ($(INSTALLED) is missing)" >&2; exit 1; }
	./scripts/uninstall $(INSTALLED)

# Writes build/zimbolo_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack

# The page, the game and its data pack in build/web/, for any static server.
web:
	@./scripts/install-deps --web
	@$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) --target zimbolo_assets -j $(JOBS)
	@JOBS=$(JOBS) ./scripts/build-web $(BUILD)

# Serves build/web/ on this machine only.
serve:
	@[ -f $(BUILD)/web/index.html ] || { echo "no build/web/ yet: run make web first" >&2; exit 1; }
	@echo "Zimbolo is at http://127.0.0.1:$(SERVE_PORT)/ (Ctrl+C stops the server)"
	@python3 -m http.server $(SERVE_PORT) --bind 127.0.0.1 --directory $(BUILD)/web

# Everything with the sanitizers on, then every test.
test:
	@./scripts/install-deps --test
	@cmake -S . -B $(TEST_BUILD) -DZIMBOLO_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
