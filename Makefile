# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.

PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
		echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
		echo "Run it from a desktop session, or under a virtual one: xvfb-run make run" >&2; \
		exit 1; \
	fi
	@$(BUILD_DIR)/armdraw

test: build
	@ctest --preset $(PRESET)

clean:
	rm -rf build
