#!/usr/bin/python3
"""Writes the site's notices of what emscripten links into armdraw.wasm and armdraw.js, from
Debian's machine-readable copyright file of its emscripten package: the paragraphs of emscripten's
own files (its JavaScript runtime and the emmalloc allocator), musl, libc++, libc++abi and
compiler-rt, with the full texts of the licences they name.

usage: notices.py COPYRIGHT OUTPUT"""

import os
import re
import sys

# The Files globs whose paragraphs cover what the module holds.
LINKED = {
    "*": "emscripten's JavaScript runtime and its emmalloc allocator",
    "system/lib/libc/musl/*": "musl, the C library",
    "system/lib/libcxx/*": "libc++, the C++ standard library",
    "system/lib/libcxxabi/*": "libc++abi, its run-time support and exceptions",
    "system/lib/compiler-rt/*": "compiler-rt, the compiler's run-time functions",
}


def paragraphs(text):
    return [p for p in re.split(r"\n\s*\n", text) if p.strip()]


def field(paragraph, name):
    match = re.search(rf"^{name}:(.*(?:\n[ \t].*)*)", paragraph, re.M)
    return match[1] if match else None


def main(copyright_path, output_path):
    with open(copyright_path, encoding="utf-8") as source:
        parts = paragraphs(source.read())
    chosen, licences = [], {}
    for part in parts:
        files = field(part, "Files")
        licence = field(part, "License")
        if files is None and licence is not None:
            licences[licence.split("\n")[0].strip()] = part
            continue
        if files is None:
            continue
        globs = files.split()
        for glob, what in LINKED.items():
            if globs and globs[0] == glob:
                chosen.append((what, part))
    missing = set(LINKED.values()) - {what for what, _ in chosen}
    if missing:
        sys.exit(f"notices.py: {copyright_path} has no paragraph for {', '.join(sorted(missing))}")
    names = set()
    for _, part in chosen:
        first = field(part, "License").split("\n")[0]
        names.update(n for n in re.split(r"\s+(?:or|and|with)\s+|[()]", first.strip())
                     if not n.endswith("exception") if n)
    with open(output_path, "w", encoding="utf-8") as out:
        out.write("armdraw.wasm and armdraw.js hold parts of emscripten's runtime and system libraries,\n"
                  f"as Debian's emscripten package ships them. From {copyright_path}:\n\n")
        for what, part in chosen:
            out.write(f"--- {what}\n\n{part.strip()}\n\n")
        out.write("--- The licences named above\n\n")
        for name in sorted(names):
            common = f"/usr/share/common-licenses/{name}"
            if name in licences:
                out.write(licences[name].strip() + "\n\n")
                reference = field(licences[name], "Reference")
                if reference and os.path.exists(reference.strip()):
                    with open(reference.strip(), encoding="utf-8") as text:
                        out.write(text.read().strip() + "\n\n")
            elif os.path.exists(common):
                with open(common, encoding="utf-8") as text:
                    out.write(f"License: {name} ({common})\n\n{text.read().strip()}\n\n")
            elif name not in {"public-domain"}:
                sys.exit(f"notices.py: no text for the licence {name!r} in {copyright_path}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
