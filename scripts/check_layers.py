#!/usr/bin/env python3
"""Checks that each layer includes only the layers below it, that no
module (a header with its source) includes itself back through others, and
that the engine (calc/) takes no maths and no number text from the C runtime,
whose digits differ between the builds.

  calc/number  <  calc/maths  <  calc  <  app  <  app/win  <  ui  <  ui/win  <  main
  cli beside ui, over calc and app (and app/win)

calc/number is the one number type (the decimal ball, its bound, its
coefficient, its text); calc/maths the functions and constants on it.

ui/ is the window's portable model, ui/win/ its Win32 glue: like calc/ and
app/, the model never includes windows.h.

Prints each breach and exits 1 when there is one."""

import re
import subprocess
import sys
from pathlib import Path

# What each folder may include of the project, besides its own files.
ENGINE = {"calc/number", "calc/maths", "calc"}
ALLOWED = {
    "calc/number": {"calc/number"},
    "calc/maths": {"calc/number", "calc/maths"},
    "calc": ENGINE,
    "app": ENGINE | {"app"},
    "app/win": ENGINE | {"app", "app/win"},
    "ui": ENGINE | {"app", "ui", "res"},
    "ui/win": ENGINE | {"app", "app/win", "ui", "ui/win", "res"},
    "main": ENGINE | {"app", "app/win", "ui", "ui/win", "res", "main"},
    "cli": ENGINE | {"app", "app/win", "cli"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
# The C runtime's maths and its number text: a call, bare or std::, or the header.
RUNTIME_NAMES = ("pow|powl|sqrt|cbrt|exp|expm1|log|log1p|log10|log2|sin|cos|tan|asin|acos|atan|atan2"
                 "|sinh|cosh|tanh|fmod|floor|ceil|trunc|round|nearbyint|ldexp|frexp"
                 "|printf|sprintf|snprintf|strtod|strtof|strtold|atof|scanf|sscanf")
# Comments and string literals, which may name anything.
PROSE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"', re.S)
RUNTIME = re.compile(r"(?<![\w:.>])(?:std::)?(?:" + RUNTIME_NAMES + r")\s*\(|#\s*include\s*<(?:cmath|math\.h|cstdio|stdio\.h)>")


def layer(path):
    parts = Path(path).parts
    two = (("app", "win"), ("ui", "win"), ("calc", "number"), ("calc", "maths"))
    return "/".join(parts[:2]) if parts[:2] in two else parts[0]


# The portable layers: no Windows header.
PORTABLE = ENGINE | {"app", "ui"}
WINDOWS_HEADER = re.compile(r"^\s*#\s*include\s*<windows\.h>", re.M)


def main():
    files = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard", "*.h", "*.cpp"],
                           capture_output=True, text=True, check=True).stdout.split()
    breaches = []
    graph = {}  # module (path without its ending) -> the modules it includes
    for f in files:
        if layer(f) not in ALLOWED:
            continue
        module = str(Path(f).with_suffix(""))
        text = Path(f).read_text()
        if layer(f) in ENGINE:
            code = PROSE.sub(lambda m: "\n" * m.group(0).count("\n"), text)
            for m in RUNTIME.finditer(code):
                line = code.count("\n", 0, m.start()) + 1
                breaches.append(f"{f}:{line}: {m.group(0)} takes from the C runtime")
        if layer(f) in PORTABLE and WINDOWS_HEADER.search(text):
            breaches.append(f"{f} includes windows.h in a portable layer")
        for inc in INCLUDE.findall(text):
            if not Path(inc).exists():
                continue
            if layer(inc) not in ALLOWED[layer(f)]:
                breaches.append(f"{f} includes {inc}, a layer above or beside it")
            if str(Path(inc).with_suffix("")) != module:
                graph.setdefault(module, set()).add(str(Path(inc).with_suffix("")))
    for start in sorted(graph):
        seen, todo = set(), list(graph[start])
        while todo:
            m = todo.pop()
            if m == start:
                breaches.append(f"{start} includes itself back through other files")
                break
            if m not in seen:
                seen.add(m)
                todo.extend(graph.get(m, ()))
    for b in breaches:
        print(b)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
