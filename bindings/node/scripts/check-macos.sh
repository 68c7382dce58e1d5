#!/usr/bin/env bash
# Checks the Node addon of a macOS cross build (bindings/node/CMakeLists.txt)
# without a Mac: what the loader would refuse, or bind wrongly, shows here.
#
#   bindings/node/scripts/check-macos.sh BUILD_DIR
#
# For BUILD/node/axtrack.node (both architectures) and the per-architecture
# copies in BUILD/node/darwin-arm64 and darwin-x64, per architecture:
#   - a bundle (MH_BUNDLE), as Node's dlopen of an addon wants, of exactly
#     the architectures its folder names;
#   - built for macOS, no older than the build's deployment target;
#   - arm64 signed (the linker's ad hoc signature: Apple Silicon runs no
#     unsigned code);
#   - exports exactly the module's two entry points;
#   - loads libSystem, CoreFoundation and libobjc, nothing else;
#   - each napi_* symbol (and only those) left to the loading executable
#     (looked up in the flat namespace), every other undefined symbol bound
#     by two-level namespace to one of those libraries, whose stub in the
#     sysroot exports it for that architecture;
# and the library beside each thin copy is of the same architecture.
# Prints what each file links against; the last line says how many passed
# and failed.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
for tool in llvm-lipo-19 llvm-otool-19 llvm-objdump-19 llvm-nm-19 llvm-readtapi-19 python3; do
  command -v "$tool" >/dev/null || { echo "$tool not found (apt-get install llvm-19 python3)" >&2; exit 2; }
done

exec python3 - "$build" <<'PYTHON'
import json
import os
import re
import subprocess
import sys
import tempfile

build = sys.argv[1]
sysroot = os.path.join(build, "macos-sysroot")
node = os.path.join(build, "node")
ARCHES = {"arm64": "arm64-macos", "x86_64": "x86_64-macos"}
ALLOWED = {
    "/usr/lib/libSystem.B.dylib": "libSystem",
    "/System/Library/Frameworks/CoreFoundation.framework/Versions/A/CoreFoundation": "CoreFoundation",
    "/usr/lib/libobjc.A.dylib": "libobjc",
}
ENTRY_POINTS = {"_napi_register_module_v1", "_node_api_module_get_api_version_v1"}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def deployment_target():
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("CMAKE_OSX_DEPLOYMENT_TARGET:"):
                return tuple(int(p) for p in line.split("=", 1)[1].strip().split("."))
    sys.exit(f"{build}: no CMAKE_OSX_DEPLOYMENT_TARGET; not a macOS cross build?")


def stub_exports():
    """short library name -> {target: exported symbols}, for the allowed
    libraries, from the sysroot's stubs as llvm-readtapi reads them."""
    wanted = {os.path.join(sysroot, path) for path in (
        "usr/lib/libSystem.tbd", "usr/lib/libobjc.tbd",
        "System/Library/Frameworks/CoreFoundation.framework/CoreFoundation.tbd")}
    found = {}
    with tempfile.TemporaryDirectory() as scratch:
        for stub in sorted(wanted):
            if not os.path.isfile(stub):
                sys.exit(f"{stub}: missing; configure the build with cmake/macos-cross.cmake first")
            out = os.path.join(scratch, "stub.json")
            run("llvm-readtapi-19", "--filetype=tbd-v5", stub, "-o", out)
            with open(out, encoding="utf-8") as data:
                library = json.load(data)["main_library"]
            exports = {}
            for group in library.get("exported_symbols", []):
                names = set()
                for section in ("data", "text"):
                    for kind, symbols in group.get(section, {}).items():
                        if kind == "objc_class":
                            names.update(f"_OBJC_{m}CLASS_$_{s}" for s in symbols for m in ("", "META"))
                        elif not kind.startswith("objc_"):
                            names.update(symbols)
                for target in group.get("targets") or ARCHES.values():
                    exports.setdefault(target, set()).update(names)
            for install in library["install_names"]:
                found[ALLOWED.get(install["name"], install["name"])] = exports
    return found


def bindings(path, arch):
    """(library short name, symbol) pairs of the bind tables, classic or
    chained fixups."""
    pairs = set()
    table = None
    for line in run("llvm-objdump-19", "--macho", f"--arch={arch}", "--bind", "--lazy-bind", path).splitlines():
        if line.startswith("Bind table:"):
            table = "bind"
        elif line.startswith("Lazy bind table:"):
            table = "lazy"
        elif table and line.startswith("__"):
            f = line.split()
            pairs.add((f[5], f[6]) if table == "bind" else (f[3], f[4]))
    for line in run("llvm-objdump-19", "--macho", f"--arch={arch}", "--dyld-info", path).splitlines():
        f = line.split()
        if len(f) >= 8 and f[4] == "bind":
            pairs.add((f[6], f[7]))
    return pairs


def check(path, arches, stubs, minimum):
    problems = []
    name = os.path.relpath(path, build)
    have = set(run("llvm-lipo-19", "-archs", path).split())
    if have != arches:
        problems.append(f"architectures {sorted(have)}, expected {sorted(arches)}")
    summary = {}
    napi = 0
    for arch in sorted(have & set(ARCHES)):
        header = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--private-header", path)
        if not re.search(r"^\s*MH_MAGIC_64\s+\S+\s+\S+\s+\S+\s+BUNDLE\b", header, re.M):
            problems.append(f"{arch}: not a bundle (MH_BUNDLE): {header.splitlines()[-1].strip()}")
        commands = run("llvm-otool-19", "-arch", arch, "-l", path)
        version = re.search(r"cmd LC_BUILD_VERSION.*?platform (\d+).*?minos ([\d.]+)", commands, re.S)
        if not version or version.group(1) != "1":
            problems.append(f"{arch}: not built for macOS (LC_BUILD_VERSION platform 1)")
        elif tuple(int(p) for p in version.group(2).split(".")) < minimum:
            problems.append(f"{arch}: minimum macOS {version.group(2)}")
        # (otool's listing of a universal file's slice leaves the signature
        # out; objdump's has it.)
        headers = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--private-headers", path)
        if arch == "arm64" and "LC_CODE_SIGNATURE" not in headers:
            problems.append("arm64: no code signature (Apple Silicon runs no unsigned code; the linker signs ad hoc)")
        loads = re.findall(r"cmd LC_(?:LOAD|LOAD_WEAK|REEXPORT|LAZY_LOAD)_DYLIB.*?name (\S+)", commands, re.S)
        for load in loads:
            if load not in ALLOWED:
                problems.append(f"{arch}: loads {load}")
        trie = run("llvm-objdump-19", "--macho", f"--arch={arch}", "--exports-trie", path)
        exported = set(re.findall(r"^0x[0-9A-Fa-f]+\s+(\S+)", trie, re.M))
        if exported != ENTRY_POINTS:
            problems.append(f"{arch}: exports {sorted(exported)}, expected {sorted(ENTRY_POINTS)}")
        pairs = bindings(path, arch)
        undefined = set(run("llvm-nm-19", f"--arch={arch}", "-u", "--just-symbol-name", path).split())
        for symbol in sorted(undefined - {s for _, s in pairs}):
            problems.append(f"{arch}: {symbol} is undefined but bound to nothing")
        napi = 0
        for library, symbol in sorted(pairs):
            is_napi = symbol.startswith("_napi_")
            if library in ("flat-namespace", "dynamic-lookup"):
                if is_napi:
                    napi += 1
                else:
                    problems.append(f"{arch}: {symbol} is looked up in the loading process, not bound to a library")
            elif is_napi:
                problems.append(f"{arch}: {symbol} is bound to {library}, not left to the executable that loads Node-API")
            elif library not in stubs:
                problems.append(f"{arch}: {symbol} is bound to {library}")
            elif symbol not in stubs[library].get(ARCHES[arch], set()):
                problems.append(f"{arch}: {symbol} is bound to {library}, whose stub doesn't export it")
            else:
                summary[library] = summary.get(library, 0) + 1
    if problems:
        print(f"FAIL {name}")
        for problem in problems[:12]:
            print(f"  {problem}")
        if len(problems) > 12:
            print(f"  ... and {len(problems) - 12} more")
        return False
    links = ", ".join(f"{library} {count}" for library, count in sorted(summary.items()))
    print(f"ok   {name}: bundle, {' + '.join(sorted(have))}, exports {' '.join(sorted(ENTRY_POINTS))}; "
          f"bindings {links}; {napi} napi_* left to the host executable")
    return True


stubs = stub_exports()
minimum = deployment_target()
passed = failed = 0
files = [("axtrack.node", set(ARCHES)), ("darwin-arm64/axtrack.node", {"arm64"}),
         ("darwin-x64/axtrack.node", {"x86_64"})]
for relative, arches in files:
    path = os.path.join(node, relative)
    if not os.path.isfile(path):
        print(f"FAIL node/{relative}: not built (cmake --build {build} --target axtrack-node-prebuilds)")
        failed += 1
    elif check(path, arches, stubs, minimum):
        passed += 1
    else:
        failed += 1
for folder, arch in (("darwin-arm64", "arm64"), ("darwin-x64", "x86_64")):
    library = os.path.join(node, folder, "libaxtrack.dylib")
    if not os.path.isfile(library):
        continue  # a build without the macOS backend packs the addon alone
    have = run("llvm-lipo-19", "-archs", library).split()
    if have == [arch]:
        print(f"ok   node/{folder}/libaxtrack.dylib: {arch}")
        passed += 1
    else:
        print(f"FAIL node/{folder}/libaxtrack.dylib: architectures {have}, expected {arch}")
        failed += 1
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
PYTHON
