#!/usr/bin/env python3
"""Assembles the macOS declaration sysroot that cmake/macos-cross.cmake
builds against, in a folder of the build tree.

  make-sysroot.py OUT_DIR [--libcxx-include DIR] [--libcxx-lib DIR] [--nm TOOL]

The result is an SDK-shaped folder:

  SDKSettings.json, usr/include/..., System/Library/Frameworks/*.framework/Headers
      links to the hand-written declarations in cmake/macos-sysroot;
  usr/include/c++/v1
      links to each entry of Debian's libc++ headers, except __config_site,
      which is the sysroot's own (availability annotations on);
  usr/lib/*.tbd, System/Library/Frameworks/NAME.framework/NAME.tbd
      text-based stubs (TAPI v4) listing what each system library exports
      under its real install name, written from exports.manifest beside this
      script. The libc++ stub's list is taken from Debian's libc++ and
      libc++abi shared objects (see libcxx_exports below).

Nothing here is copied from an SDK: headers and the manifest are written
from Apple's public documentation, and only as far as this project needs.
The output is rebuilt from scratch (into a temporary folder, then renamed),
so a run is idempotent, and it is skipped when the inputs are unchanged.
"""

import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
SOURCE_SYSROOT = os.path.join(REPO, "cmake", "macos-sysroot")
MANIFEST = os.path.join(HERE, "exports.manifest")
TARGETS = ["x86_64-macos", "arm64-macos"]
ARCHES = {"x86_64": "x86_64-macos", "arm64": "arm64-macos"}


# ---------------------------------------------------------------- manifest

class Library:
    def __init__(self, install_name):
        self.install_name = install_name
        self.stub = None
        self.current_version = "1"
        # kind -> target -> list of names; kinds: symbols, raw-symbols, objc-classes.
        self.exports = {}
        self.generated = None  # the name of a generator, e.g. "libcxx"

    def add(self, kind, target, names):
        self.exports.setdefault(kind, {}).setdefault(target, []).extend(names)


def read_manifest(path):
    """The manifest: `[install name]` opens a library; in it, `stub PATH`,
    `current-version V`, `generate NAME`, and lines `KIND[@ARCH]: names...`
    where KIND is `symbols` (C names, without the Mach-O underscore),
    `raw-symbols` (Mach-O names as they are) or `objc-classes`; `@ARCH` limits a line to one architecture. A line that
    starts with white space continues the previous list. `#` starts a
    comment."""
    libraries = []
    current = None
    kind = None
    with open(path, encoding="utf-8") as manifest:
        for number, raw in enumerate(manifest, 1):
            line = raw.split("#", 1)[0].rstrip()
            if not line:
                continue
            where = f"{path}:{number}"
            if line.startswith("["):
                if not line.endswith("]"):
                    sys.exit(f"{where}: expected [install name]")
                current = Library(line[1:-1].strip())
                libraries.append(current)
                kind = None
                continue
            if current is None:
                sys.exit(f"{where}: a library section must come first")
            if raw[0] in " \t":
                if kind is None:
                    sys.exit(f"{where}: continuation line outside a list")
                current.add(kind[0], kind[1], line.split())
                continue
            head, _, rest = line.partition(" ")
            if head.endswith(":"):
                name, _, arch = head[:-1].partition("@")
                if name not in ("symbols", "raw-symbols", "objc-classes"):
                    sys.exit(f"{where}: unknown list {name!r}")
                if arch and arch not in ARCHES:
                    sys.exit(f"{where}: unknown architecture {arch!r}")
                kind = (name, ARCHES[arch] if arch else "all")
                current.add(kind[0], kind[1], rest.split())
            elif head == "stub":
                current.stub = rest.strip()
                kind = None
            elif head == "current-version":
                current.current_version = rest.strip()
                kind = None
            elif head == "generate":
                current.generated = rest.strip()
                kind = None
            else:
                sys.exit(f"{where}: unknown directive {head!r}")
    for library in libraries:
        if not library.stub:
            sys.exit(f"{path}: {library.install_name} has no stub path")
    return libraries


# ---------------------------------------------------------------- libc++

# Debian's libc++ is built for Linux; the system's libc++ on macOS exports
# the same interface, but a few mangled names spell types that differ
# between the two C libraries. Each rule turns the Linux spelling into the
# macOS one:
#   - std::__cxx_contention_t, the atomic wait word, is int32_t on Linux
#     and int64_t elsewhere;
#   - FILE is `struct _IO_FILE` in glibc and `struct __sFILE` on macOS;
#   - std::ctype_base::mask is `unsigned short` with glibc and `__uint32_t`
#     on macOS (std::ctype<char>'s table, std::ctype<wchar_t>::do_is ...).
LIBCXX_REWRITES = [
    (re.compile(r"__cxx_atomic_implIiNS_22__cxx_atomic_base_implIiEEEE"),
     r"__cxx_atomic_implIxNS_22__cxx_atomic_base_implIxEEEE"),
    (re.compile(r"^(_ZNSt3__120__libcpp_atomic_waitEPVK.*)i$"), r"\1x"),
    (re.compile(r"8_IO_FILE"), r"7__sFILE"),
    (re.compile(r"^(_ZNSt3__15ctypeIcEC[12]EP)Ktbm$"), r"\1Kjbm"),
    (re.compile(r"^(_ZNKSt3__1(?:5ctype|12ctype_byname)IwE(?:10do_scan_is|11do_scan_not))EtPKwS3_$"),
     r"\1EjPKwS3_"),
    (re.compile(r"^(_ZNKSt3__1(?:5ctype|12ctype_byname)IwE5do_is)Etw$"), r"\1Ejw"),
    (re.compile(r"^(_ZNKSt3__1(?:5ctype|12ctype_byname)IwE5do_is)EPKwS3_Pt$"), r"\1EPKwS3_Pj"),
]

# Exported by the Linux build only: glibc's ctype tables, and the linker's
# own section markers.
LIBCXX_LINUX_ONLY = re.compile(
    r"^(_ZNSt3__15ctypeIcE21__classic_(lower|upper)_tableEv|__bss_start|_edata|_end)$")


def libcxx_exports(lib_dir, nm):
    """The C++ runtime's export list, as the macOS linker sees it: every
    global symbol that Debian's libc++.so.1 and libc++abi.so.1 define, less
    the Linux-only ones, with the rewrites above and the Mach-O underscore.
    On macOS libc++.1.dylib re-exports libc++abi, so one stub serves both.
    The list is the library's whole interface, not what one build happens
    to use; symbols that a macOS release lacks are kept out of reach by
    libc++'s availability annotations (see __config_site)."""
    names = set()
    for library in ("libc++.so.1", "libc++abi.so.1"):
        path = os.path.join(lib_dir, library)
        output = subprocess.run([nm, "-D", "--defined-only", "--format=just-symbols", path],
                                check=True, capture_output=True, text=True).stdout
        for name in output.split():
            name = name.split("@", 1)[0]
            if LIBCXX_LINUX_ONLY.match(name):
                continue
            for pattern, replacement in LIBCXX_REWRITES:
                name = pattern.sub(replacement, name)
            names.add(name)
    if len(names) < 1500:
        sys.exit(f"{lib_dir}: only {len(names)} libc++ symbols found; is libc++-19-dev installed?")
    return sorted(names)


# ---------------------------------------------------------------- writing

def quote(name):
    return "'" + name.replace("'", "''") + "'"


def yaml_list(names, indent):
    """A flow list wrapped at about 100 columns."""
    lines = []
    line = "[ "
    for i, name in enumerate(names):
        item = quote(name) + (", " if i + 1 < len(names) else "")
        if len(line) + len(item) > 100 and line.strip() != "[":
            lines.append(line.rstrip())
            line = " " * (indent + 2)
        line += item
    lines.append(line + " ]")
    return ("\n").join(lines)


def write_stub(path, library, symbols_by_target, classes_by_target):
    out = ["--- !tapi-tbd",
           "tbd-version:     4",
           f"targets:         [ {', '.join(TARGETS)} ]",
           f"install-name:    {quote(library.install_name)}",
           f"current-version: {library.current_version}",
           "exports:"]
    for target in ["all"] + TARGETS:
        symbols = sorted(set(symbols_by_target.get(target, [])))
        classes = sorted(set(classes_by_target.get(target, [])))
        if not symbols and not classes:
            continue
        targets = TARGETS if target == "all" else [target]
        out.append(f"  - targets:         [ {', '.join(targets)} ]")
        if symbols:
            out.append("    symbols:         " + yaml_list(symbols, 21))
        if classes:
            out.append("    objc-classes:    " + yaml_list(classes, 21))
    out.append("...")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as stub:
        stub.write("\n".join(out) + "\n")


def link_tree(source, destination, keep_real):
    """Mirrors `source` into `destination` with symbolic links: a folder is
    linked whole unless it is in `keep_real` (relative paths of folders that
    get generated files or links from elsewhere too), in which case it is
    made and its entries are mirrored one by one. Headers added to a linked
    folder show up without a new run."""
    os.makedirs(destination, exist_ok=True)
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        target = os.path.join(destination, name)
        relative = os.path.relpath(target, keep_real["root"])
        if os.path.isdir(path) and relative in keep_real["folders"]:
            link_tree(path, target, keep_real)
        else:
            os.symlink(path, target)


def real_folders(libraries):
    """The folders of the sysroot that get more than the hand-written files:
    usr/include/c++/v1 (Debian's libc++ beside our __config_site) and every
    folder on the way to a stub."""
    folders = {"usr", "usr/include", "usr/include/c++", "usr/include/c++/v1"}
    for library in libraries:
        parent = os.path.dirname(library.stub)
        while parent:
            folders.add(parent)
            parent = os.path.dirname(parent)
    return folders


def inputs_digest(args):
    digest = hashlib.sha256()
    paths = [os.path.abspath(__file__), MANIFEST]
    for root, _, files in os.walk(SOURCE_SYSROOT):
        paths.extend(os.path.join(root, name) for name in files)
    for path in sorted(paths):
        digest.update(path.encode())
        with open(path, "rb") as data:
            digest.update(data.read())
    for name in ("libc++.so.1", "libc++abi.so.1"):
        status = os.stat(os.path.join(args.libcxx_lib, name))
        digest.update(f"{name}:{status.st_size}:{status.st_mtime_ns}".encode())
    digest.update(os.path.realpath(args.libcxx_include).encode())
    digest.update(sorted(os.listdir(args.libcxx_include)).__repr__().encode())
    return digest.hexdigest()


def assemble(args, digest):
    out = os.path.abspath(args.out)
    parent = os.path.dirname(out)
    os.makedirs(parent, exist_ok=True)
    work = tempfile.mkdtemp(prefix=".sysroot-", dir=parent)
    os.chmod(work, 0o755)
    try:
        libraries = read_manifest(MANIFEST)
        link_tree(SOURCE_SYSROOT, work, {"root": work, "folders": real_folders(libraries)})
        libcxx = os.path.join(work, "usr", "include", "c++", "v1")
        os.makedirs(libcxx, exist_ok=True)
        for name in sorted(os.listdir(args.libcxx_include)):
            if not os.path.lexists(os.path.join(libcxx, name)):
                os.symlink(os.path.join(args.libcxx_include, name), os.path.join(libcxx, name))
        for library in libraries:
            symbols = {target: ["_" + name for name in names]
                       for target, names in library.exports.get("symbols", {}).items()}
            for target, names in library.exports.get("raw-symbols", {}).items():
                symbols.setdefault(target, []).extend(names)
            classes = library.exports.get("objc-classes", {})
            if library.generated == "libcxx":
                symbols.setdefault("all", []).extend(
                    "_" + name for name in libcxx_exports(args.libcxx_lib, args.nm))
            elif library.generated:
                sys.exit(f"{MANIFEST}: unknown generator {library.generated!r}")
            write_stub(os.path.join(work, library.stub), library, symbols, classes)
        with open(os.path.join(work, ".inputs"), "w", encoding="utf-8") as stamp:
            stamp.write(digest + "\n")
        if os.path.lexists(out):
            old = tempfile.mkdtemp(prefix=".sysroot-old-", dir=parent)
            os.rename(out, os.path.join(old, "sysroot"))
            os.rename(work, out)
            shutil.rmtree(old)
        else:
            os.rename(work, out)
    except BaseException:
        shutil.rmtree(work, ignore_errors=True)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out", help="the folder to write the sysroot to")
    parser.add_argument("--libcxx-include", default="/usr/lib/llvm-19/include/c++/v1")
    parser.add_argument("--libcxx-lib", default="/usr/lib/llvm-19/lib")
    parser.add_argument("--nm", default="llvm-nm-19")
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.libcxx_include, "__config")):
        sys.exit(f"{args.libcxx_include}: no libc++ headers (apt-get install libc++-19-dev)")
    digest = inputs_digest(args)
    stamp = os.path.join(args.out, ".inputs")
    if os.path.isfile(stamp):
        with open(stamp, encoding="utf-8") as existing:
            if existing.read().strip() == digest:
                return
    assemble(args, digest)


if __name__ == "__main__":
    main()
