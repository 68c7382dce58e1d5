#!/usr/bin/env bash
# Checks the dylibs of a macOS cross build (cmake/macos-cross.cmake) without a
# Mac: what a Mac's loader would refuse shows up here as a failed check.
#
#   tools/macos-sysroot/check-cross-build.sh BUILD_DIR
#
# For each library the build has (the probe bin/libaxtrack-macos-probe.dylib,
# and bin/libaxtrack.dylib once the macOS backend builds it), per architecture:
#   - universal: exactly arm64 and x86_64;
#   - built for macOS, no older than the build's deployment target;
#   - install name @rpath/NAME, and run-path entries relative to the loader
#     only;
#   - exports exactly its entry points (the probe's probe/exports.txt; the
#     library's the `global:` names of src/host/exports.map);
#   - loads only libraries that the sysroot has a stub for;
#   - every undefined symbol is bound, by two-level namespace, to a library
#     whose stub exports it for that architecture (nothing flat, nothing
#     looked up dynamically, nothing bound to the wrong library).
# Each library is one check; the last line says how many passed and failed.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
for tool in llvm-lipo-19 llvm-otool-19 llvm-objdump-19 llvm-nm-19 llvm-readtapi-19 python3; do
  command -v "$tool" >/dev/null || { echo "$tool not found (apt-get install llvm-19 python3)" >&2; exit 2; }
done

exec python3 - "$build" "$here" "$repo" <<'PYTHON'
import json
import os
import re
import subprocess
import sys
import tempfile

build, here, repo = sys.argv[1:4]
sysroot = os.path.join(build, "macos-sysroot")
ARCHES = {"arm64": "arm64-macos", "x86_64": "x86_64-macos"}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def deployment_target():
    cache = os.path.join(build, "CMakeCache.txt")
    with open(cache, encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("CMAKE_OSX_DEPLOYMENT_TARGET:"):
                return line.split("=", 1)[1].strip()
    sys.exit(f"{cache}: no CMAKE_OSX_DEPLOYMENT_TARGET; not a macOS cross build?")


def version_tuple(text):
    return tuple(int(part) for part in text.split("."))


def read_stubs():
    """install name -> {target: set of exported Mach-O symbols}, from every
    stub of the sysroot, as llvm-readtapi reads them."""
    stubs = {}
    with tempfile.TemporaryDirectory() as scratch:
        for root, _, files in os.walk(sysroot, followlinks=False):
            for name in files:
                if not name.endswith(".tbd"):
                    continue
                out = os.path.join(scratch, "stub.json")
                run("llvm-readtapi-19", "--filetype=tbd-v5", os.path.join(root, name), "-o", out)
                with open(out, encoding="utf-8") as data:
                    library = json.load(data)["main_library"]
                exports = {}
                for group in library.get("exported_symbols", []):
                    targets = group.get("targets") or list(ARCHES.values())
                    names = set()
                    for section in ("data", "text"):
                        for kind, symbols in group.get(section, {}).items():
                            for symbol in symbols:
                                if kind == "objc_class":
                                    names.add("_OBJC_CLASS_$_" + symbol)
                                    names.add("_OBJC_METACLASS_$_" + symbol)
                                elif kind == "objc_eh_type":
                                    names.add("_OBJC_EHTYPE_$_" + symbol)
                                elif kind == "objc_ivar":
                                    names.add("_OBJC_IVAR_$_" + symbol)
                                else:
                                    names.add(symbol)
                    for target in targets:
                        exports.setdefault(target, set()).update(names)
                for install in library["install_names"]:
                    stubs[install["name"]] = exports
    if not stubs:
        sys.exit(f"{sysroot}: no stubs; configure the build with cmake/macos-cross.cmake first")
    return stubs


def short_name(install_name):
    """How llvm-objdump names a library in its bind tables."""
    base = os.path.basename(install_name)
    if base.endswith(".dylib"):
        base = base[: -len(".dylib")]
        base = re.sub(r"\.[A-Za-z0-9]$", "", base)
    return base


def expected_exports(path):
    names = set()
    with open(path, encoding="utf-8") as lines:
        if path.endswith(".map"):  # a GNU version script: the `global:` names
            text = lines.read()
            block = re.search(r"global:(.*?)local:", text, re.S)
            names = {"_" + name for name in re.findall(r"([A-Za-z_][A-Za-z0-9_]*)\s*;", block.group(1))}
        else:
            names = {line.strip() for line in lines if line.strip() and not line.startswith("#")}
    return names


def bindings(dylib, arch):
    """(library short name, symbol) pairs of the bind tables, classic opcodes
    or chained fixups."""
    pairs = set()
    classic = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--bind", "--lazy-bind", dylib)
    table = None
    for line in classic.splitlines():
        if line.startswith("Bind table:"):
            table = "bind"
        elif line.startswith("Lazy bind table:"):
            table = "lazy"
        elif table and line.startswith("__"):
            fields = line.split()
            # bind: segment section address type addend dylib symbol
            # lazy: segment section address dylib symbol
            library, symbol = (fields[5], fields[6]) if table == "bind" else (fields[3], fields[4])
            pairs.add((library, symbol))
    chained = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--dyld-info", dylib)
    for line in chained.splitlines():
        fields = line.split()
        if len(fields) >= 8 and fields[4] == "bind":
            pairs.add((fields[6], fields[7]))
    return pairs


def check(dylib, exports_file, stubs, minimum):
    problems = []
    name = os.path.basename(dylib)
    archs = set(run("llvm-lipo-19", "-archs", dylib).split())
    if archs != set(ARCHES):
        problems.append(f"architectures {sorted(archs)}, expected {sorted(ARCHES)}")
    wanted = expected_exports(exports_file)
    known = {short_name(install): install for install in stubs}
    counts = {}
    for arch in sorted(archs & set(ARCHES)):
        target = ARCHES[arch]
        commands = run("llvm-otool-19", "-arch", arch, "-l", dylib)
        build_version = re.search(r"cmd LC_BUILD_VERSION.*?platform (\d+).*?minos ([\d.]+)", commands, re.S)
        if not build_version or build_version.group(1) != "1":
            problems.append(f"{arch}: not built for macOS (LC_BUILD_VERSION platform 1)")
        elif version_tuple(build_version.group(2)) < version_tuple(minimum):
            problems.append(f"{arch}: minimum macOS {build_version.group(2)}, expected {minimum}")
        identity = re.search(r"cmd LC_ID_DYLIB.*?name (\S+)", commands, re.S)
        if not identity or identity.group(1) != "@rpath/" + name:
            problems.append(f"{arch}: install name {identity.group(1) if identity else None}, "
                            f"expected @rpath/{name}")
        for path in re.findall(r"cmd LC_RPATH.*?path (\S+)", commands, re.S):
            if not path.startswith(("@loader_path", "@executable_path")):
                problems.append(f"{arch}: run-path entry {path} is not relative to the loader")
        loads = re.findall(r"cmd LC_(?:LOAD|LOAD_WEAK|REEXPORT|LAZY_LOAD)_DYLIB.*?name (\S+)", commands, re.S)
        for load in loads:
            if load not in stubs:
                problems.append(f"{arch}: loads {load}, which the sysroot has no stub for")
        trie = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--exports-trie", dylib)
        exported = set(re.findall(r"^0x[0-9A-Fa-f]+\s+(\S+)", trie, re.M))
        if exported != wanted:
            extra = sorted(exported - wanted)
            missing = sorted(wanted - exported)
            problems.append(f"{arch}: exports differ (unexpected {extra[:8]}, missing {missing[:8]})")
        pairs = bindings(dylib, arch)
        bound = {symbol for _, symbol in pairs}
        undefined = set(run("llvm-nm-19", f"--arch={arch}", "-u", "--just-symbol-name", dylib).split())
        for symbol in sorted(undefined - bound):
            problems.append(f"{arch}: {symbol} is undefined but bound to no library")
        for library, symbol in sorted(pairs):
            install = known.get(library)
            if library in ("flat-namespace", "dynamic-lookup"):
                problems.append(f"{arch}: {symbol} is looked up in the flat namespace, not bound")
            elif install is None:
                problems.append(f"{arch}: {symbol} bound to {library}, which is no library of the sysroot")
            elif symbol not in stubs[install].get(target, set()):
                problems.append(f"{arch}: {symbol} bound to {install}, whose stub doesn't export it")
            else:
                counts[library] = counts.get(library, 0) + 1
    summary = ", ".join(f"{library} {count}" for library, count in sorted(counts.items()))
    if problems:
        print(f"FAIL {name}")
        for problem in problems:
            print(f"  {problem}")
        return False
    print(f"ok   {name}: {' + '.join(sorted(archs))}, @rpath/{name}, {len(wanted)} exports, "
          f"bindings (both architectures) {summary}")
    return True


candidates = [
    ("bin/libaxtrack-macos-probe.dylib", os.path.join(here, "probe", "exports.txt"), True),
    ("bin/libaxtrack.dylib", os.path.join(repo, "src", "host", "exports.map"), False),
]
stubs = read_stubs()
minimum = deployment_target()
passed = failed = 0
for relative, exports_file, required in candidates:
    dylib = os.path.join(build, relative)
    if not os.path.isfile(dylib):
        if required:
            print(f"FAIL {relative}: not built (cmake --build {build} --target axtrack-macos-probe)")
            failed += 1
        continue
    if check(dylib, exports_file, stubs, minimum):
        passed += 1
    else:
        failed += 1
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
PYTHON
