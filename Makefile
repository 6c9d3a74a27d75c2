# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.

PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: all deps configure build run test clean screenshot soak bench package

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: configure
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
		echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
		echo "Run it from a desktop session, or under a virtual one: xvfb-run make run" >&2; \
		exit 1; \
	fi
	@cmake --build --preset $(PRESET) --target armdraw
	@$(BUILD_DIR)/armdraw

# The whole suite on the plain build, then all but the end-to-end and package tests (which use the
# plain binary) again under AddressSanitizer and UndefinedBehaviorSanitizer, in build/asan.
test: build
	@ctest --preset $(PRESET)
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# Renders the real window under a private Xvfb into docs/.
screenshot: build
	@scripts/screenshot $(BUILD_DIR)

# The long random-event soak (the short one runs in `make test`).
soak: build
	@scripts/soak $(BUILD_DIR)

# Benchmarks: prints the figures and writes docs/performance.md.
bench: build
	@scripts/bench $(BUILD_DIR)

# A Debian package of the program, built with CPack.
package: build
	@scripts/package $(BUILD_DIR)

clean:
	rm -rf build
