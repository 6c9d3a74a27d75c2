# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build first.

PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: all deps configure build run test clean screenshot soak bench package windows windows-test \
	web web-run web-test

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
	@PYTHONPATH=tests/e2e PYTHONDONTWRITEBYTECODE=1 scripts/screenshot $(BUILD_DIR)

# The long random-event soak (the short one runs in `make test`).
soak: build
	@scripts/soak $(BUILD_DIR)

# Benchmarks: prints the figures and writes docs/performance.md.
bench: build
	@PYTHONPATH=tests/e2e PYTHONDONTWRITEBYTECODE=1 scripts/bench $(BUILD_DIR)

# A Debian package of the program, built with CPack into build/default/packages.
package: build
	@cpack --preset default

# Windows: Qt for Windows built once into ~/.cache/armdraw (about 40 minutes on 2 cores), then
# the program cross-built into build/windows, installed with every DLL it loads into
# build/windows/install, and that folder zipped and wrapped in an installer; not part of
# `make test`.
windows:
	@scripts/install-deps linux windows
	@scripts/windows build

# The Windows build under Wine: unit and window tests, the end-to-end tests against the installed
# program on Xvfb, the installer, and start-up and memory against the bare window.
windows-test: windows
	@scripts/windows test

# The browser: the window on the page's own elements, compiled with emscripten into build/web (no
# toolkit; about a minute), its page installed into build/web/site and zipped; not part of
# `make test`.
web:
	@scripts/install-deps linux web
	@scripts/web build

# Serves the page on this machine only; any static web server serves build/web/site as well.
WEB_PORT ?= 8000
web-run: web
	@echo "armdraw: open http://127.0.0.1:$(WEB_PORT)/armdraw.html (Ctrl+C stops the server)"
	@/usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build/web/site

# The browser build: the unit tests under node, the end-to-end tests in Chromium, Firefox ESR and
# WebKitGTK on private Xvfb displays, the page checks over DevTools, and the page's size and first
# frame against a static copy of it.
web-test: web
	@scripts/web test

clean:
	rm -rf build
