"""What the benches share: the quartiles of their samples, and docs/performance.md, in which each
bench rewrites its own part and keeps the others'."""

import os
import re
import statistics

REPORT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..", "docs", "performance.md"))

# The report's parts, in this order, by the heading each starts with: the Linux figures
# (scripts/bench: the title and its own sections), then the Windows build's and the browser's.
LINUX = "# Performance"
WINE = "## Under Wine: the Windows build"
BROWSER = "## In the browser: the WebAssembly build"
PARTS = (LINUX, WINE, BROWSER)


def setting(name, default, kind=int):
    """The run-length setting in environment variable name (default when unset): a number above 0,
    else a clear message before anything runs."""
    text = os.environ.get(name, str(default))
    try:
        value = kind(text)
    except ValueError:
        value = 0
    if not value > 0:
        raise SystemExit(f"{name}={text!r}: the benches need a number above 0 there")
    return value


def verdict(value, limit):
    """A goal of at most limit, as the reports state it."""
    return "met" if value <= limit else "missed"


def quartiles(samples):
    """The median, then the first and third quartiles (of one sample, itself thrice)."""
    if len(samples) == 1:
        return samples[0], samples[0], samples[0]
    q1, median, q3 = statistics.quantiles(samples, n=4, method="inclusive")
    return median, q1, q3


def split_parts(report):
    """The report's parts by heading. Text that belongs to no part, or a part twice, is an error:
    rewriting such a report would lose what no bench writes."""
    pieces = re.split("^(" + "|".join(re.escape(heading) for heading in PARTS) + ")$", report, flags=re.M)
    if pieces[0].strip():
        raise ValueError(f"text before the first part's heading: {pieces[0].strip()[:60]!r}")
    parts = {}
    for heading, body in zip(pieces[1::2], pieces[2::2]):
        if heading in parts:
            raise ValueError(f"{heading!r} twice")
        parts[heading] = heading + body
    return parts


def write_section(heading, text, report=REPORT):
    """Puts text, which starts with heading (one of PARTS), in place of that part of the report,
    keeping the others; returns the report's path."""
    if heading not in PARTS or not text.startswith(heading + "\n"):
        raise ValueError(f"a report part must start with one of the headings {PARTS}, not {text[:60]!r}")
    try:
        with open(report) as existing:
            parts = split_parts(existing.read())
    except FileNotFoundError:
        parts = {}
    except ValueError as error:
        raise SystemExit(f"{report}: {error}; mend it by hand or delete it, then run the bench again")
    parts[heading] = text
    parts.setdefault(LINUX, LINUX + "\n")
    with open(report, "w") as out:
        out.write("\n\n".join(parts[name].rstrip("\n") for name in PARTS if name in parts) + "\n")
    return report
