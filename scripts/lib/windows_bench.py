#!/usr/bin/python3
"""Start-up and peak memory of the Windows build under Wine, against the bare window built the same
way (bench/bare.cpp), side by side on one private Xvfb: each program started RUNS times, taking
turns, and timed from the start of Wine's 64-bit loader to the "first-paint" line it prints; memory
is the peak working set the program reports itself. Prints the figures and writes them into
docs/performance.md, after the Linux ones.
Usage: scripts/lib/windows_bench.py BUILD_DIR  (WINEPREFIX, WINEPATH, and tests/e2e on PYTHONPATH)"""

import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from benchreport import WINE, quartiles, setting, verdict, write_section
import harness  # the e2e tests' private Xvfb

RUNS = setting("BENCH_STARTUP_RUNS", 15)
# The 64-bit loader, as the tests use: with wine32 installed, Debian's `wine` is the 32-bit one,
# which starts a 64-bit program as a second process and would time that detour too.
LOADER = "/usr/lib/wine/wine64"


def start_once(exe, env):
    """Seconds from spawning Wine's loader to the first-paint line, and the peak working set in
    bytes."""
    started = time.monotonic()
    process = subprocess.Popen([LOADER, exe], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    painted, memory, text = None, None, b""
    deadline = started + 60
    while memory is None:
        ready, _, _ = select.select([process.stdout], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(process.stdout.fileno(), 4096) if ready else b""
        if not chunk:
            process.kill()
            raise SystemExit(f"windows-bench: {exe} printed no first paint and memory within 60 s: {text!r}")
        text += chunk
        if painted is None and b"first-paint " in text:
            painted = time.monotonic() - started
        for line in text.split(b"\n"):
            if line.startswith(b"peak-memory ") and text.endswith(b"\n"):
                memory = int(line.split()[1])
    # The program quits after its first frame; Wine takes a while to end it.
    try:
        process.wait(30)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    return painted, memory


def main():
    build = sys.argv[1]
    programs = {name: os.path.join(build, f"{name}.exe") for name in ("bench_armdraw", "bench_bare")}
    workdir = tempfile.mkdtemp(prefix="armdraw-winbench-")
    display = harness.Display(workdir).start()
    env = dict(os.environ, DISPLAY=display.name, BENCH_QUIT_AFTER_PAINT="1")
    # A wineserver kept running for all the starts, its desktop on this display (none may be
    # running before: Wine's desktop belongs to the display of the program that started it).
    subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env)
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    try:
        for exe in programs.values():  # a first start of each fills the caches
            start_once(exe, env)
        times = {name: [] for name in programs}
        memory = {name: [] for name in programs}
        names = list(programs)
        for run in range(RUNS):
            for turn in range(len(names)):
                name = names[(turn + run) % len(names)]
                seconds, peak = start_once(programs[name], env)
                times[name].append(seconds * 1000)
                memory[name].append(peak / 1024)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        display.stop()

    start = {name: quartiles(samples) for name, samples in times.items()}
    peak = {name: statistics.median(samples) for name, samples in memory.items()}
    start_ratio = start["bench_armdraw"][0] / start["bench_bare"][0]
    memory_ratio = peak["bench_armdraw"] / peak["bench_bare"]

    wine = subprocess.run([LOADER, "--version"], capture_output=True, text=True, check=True).stdout.strip()
    lines = [
        WINE,
        "",
        "Written by `make windows-test` (scripts/windows bench) on "
        f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}.",
        "armdraw.exe and the bare window, both cross-built with mingw-w64 against Qt 6.4.2 for Windows,",
        f"run under {wine} on Xvfb with no window manager, one wineserver kept running.",
        "Start-up: from starting `wine64` to the program's first painted frame, "
        f"{RUNS} runs each, interleaved;",
        "median (quartiles). Memory: the peak working set that each program reports",
        "(GetProcessMemoryInfo), median. Wine's own start-up is in both figures, so the ratio is the one",
        "to read.",
        "",
        "| Measure | armdraw | bare window | ratio | goal (1.2x) |",
        "|---|---|---|---|---|",
        "| Start of `wine64` to first paint | {:.0f} ms ({:.0f}-{:.0f}) | {:.0f} ms ({:.0f}-{:.0f}) | {:.2f} | {} |".format(
            *start["bench_armdraw"], *start["bench_bare"], start_ratio, verdict(start_ratio, 1.2)),
        "| Peak working set | {:.0f} KiB | {:.0f} KiB | {:.2f} | {} |".format(
            peak["bench_armdraw"], peak["bench_bare"], memory_ratio, verdict(memory_ratio, 1.2)),
        "",
    ]
    section = "\n".join(lines)
    print(section)

    print(f"windows-bench: wrote {write_section(WINE, section)}", file=sys.stderr)


if __name__ == "__main__":
    main()
