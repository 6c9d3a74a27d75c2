"""What the benchmark scripts share: the quartiles of their samples, and their own section of
docs/performance.md, which each rewrites while keeping the others."""

import os
import statistics

REPORT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "docs", "performance.md"))


def quartiles(samples):
    """The median, then the first and third quartiles."""
    q1, median, q3 = statistics.quantiles(samples, n=4, method="inclusive")
    return median, q1, q3


def write_section(title, section):
    """Puts section (starting with the heading title) in place of the report's section of that
    title, or after the others when it has none yet."""
    report = open(REPORT).read() if os.path.exists(REPORT) else "# Performance\n"
    before, _, after = report.partition(title)
    rest = after[after.find("\n## "):] if "\n## " in after else ""
    with open(REPORT, "w") as out:
        out.write(before.rstrip("\n") + "\n\n" + section + rest)
    return REPORT
