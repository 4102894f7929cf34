# shellcheck shell=sh
# emscripten.sh: Debian's Emscripten as the web build runs it. Sourced by
# the scripts that build for the browser.
#
# emcc's JavaScript optimiser needs Debian's node modules (acorn), which
# Debian's node does not look for by itself. The compiled programs read their
# .wasm with XMLHttpRequest under node, unless node >= 18 offers fetch, which
# cannot read files: node runs them with --no-experimental-fetch. emcmake
# would run compiled tests with a flag that node 20 rejects: CMake gets its
# own emulator line, EMSCRIPTEN_EMULATOR.

NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
export NODE_PATH

EMSCRIPTEN_EMULATOR="$(command -v node);--no-experimental-fetch"
export EMSCRIPTEN_EMULATOR

# emcmake_configure SOURCE BUILD [CMAKE ARGUMENTS...]: configures a CMake
# tree for the browser.
emcmake_configure() {
  source_dir=$1
  build_dir=$2
  shift 2
  emcmake cmake -S "$source_dir" -B "$build_dir" \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$EMSCRIPTEN_EMULATOR" "$@"
}
