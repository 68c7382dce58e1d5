#!/usr/bin/env bash
# Checks, without a Mac, the pieces of the macOS conformance check that a Mac
# runs (.github/workflows/macos.yml):
#
#   tools/macos-sysroot/conformance/check-here.sh BUILD_DIR
#
#   - generate.py writes BUILD_DIR/conformance.mm from the declaration sysroot
#     (BUILD_DIR/macos-sysroot, assembled by make-sysroot.py exactly as
#     cmake/macos-cross.cmake does it);
#   - the file compiles against that same sysroot for arm64 and for x86_64
#     with clang-19 and the cross build's flags (it must: it encodes them);
#   - planted faults: one declaration at a time is changed in a copy of the
#     sysroot; the file generated from the copy must fail against the
#     original headers, and the original file against the copy, each time
#     naming the changed declaration and nothing else;
#   - load_check.c compiles and links with the host compiler;
#   - the workflow is valid YAML with the expected jobs and steps.
# Each is one check; the last line says how many passed and failed.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
mkdir -p "$1"
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
for tool in clang++-19 llvm-nm-19 python3 cc; do
  command -v "$tool" >/dev/null || { echo "$tool not found (apt-get install clang-19 llvm-19 libc++-19-dev python3)" >&2; exit 2; }
done
python3 -c 'import yaml' 2>/dev/null || { echo "python3 yaml module not found (apt-get install python3-yaml)" >&2; exit 2; }

exec python3 - "$build" "$here" "$repo" <<'PYTHON'
import os
import re
import shutil
import subprocess
import sys
import tempfile

build, here, repo = sys.argv[1:4]
sysroot = os.path.join(build, "macos-sysroot")
generated = os.path.join(build, "conformance.mm")
passed = failed = 0


def report(ok, name, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok   {name}" + (f": {detail}" if detail else ""))
    else:
        failed += 1
        print(f"FAIL {name}" + (f"\n  {detail}" if detail else ""))


def run(command):
    return subprocess.run(command, capture_output=True, text=True)


def compile_against(source, root, arch):
    """Compiles a conformance file like the cross build compiles Objective-C++."""
    return run(["clang++-19", "-target", f"{arch}-apple-macos12.0", "-isysroot", root,
                "-nostdinc++", "-cxx-isystem", os.path.join(root, "usr", "include", "c++", "v1"),
                "-x", "objective-c++", "-std=c++20", "-fobjc-arc", "-fsyntax-only",
                "-ferror-limit=0", "-Werror", source])


def generate(root, output):
    return run([sys.executable, os.path.join(here, "generate.py"), "--sysroot", root, "--output", output])


def failures(stderr):
    """The declarations that failed checks name: 'kind name' of each message."""
    names = set()
    for line in re.findall(r"error: static assertion failed(.*)", stderr):
        match = re.search(r"(?:^|': |^: )((?:function|enumerator|enum|typedef|struct|member|constant|method|macro) "
                          r"(?:[-+]\[[^\]]*\]|[^\s:]+(?:::[^\s:]+)?))", line)
        names.add(match.group(1) if match else line.strip())
    return names


# 1. the sysroot, as the cross toolchain assembles it
result = run([sys.executable, os.path.join(repo, "tools", "macos-sysroot", "make-sysroot.py"),
              sysroot, "--nm", "llvm-nm-19"])
if result.returncode != 0:
    print(result.stderr)
    sys.exit("assembling the sysroot failed")

# 2. generation
result = generate(sysroot, generated)
report(result.returncode == 0, "generate conformance.mm", (result.stdout + result.stderr).strip())
if result.returncode != 0:
    print(f"{passed} passed, {failed} failed")
    sys.exit(1)

# 3. the file holds against the headers it comes from
for arch in ("arm64", "x86_64"):
    result = compile_against(generated, sysroot, arch)
    report(result.returncode == 0, f"conformance.mm compiles against the sysroot ({arch})",
           result.stderr[-3000:])

# 4. planted faults, both ways
FAULTS = [
    ("System/Library/Frameworks/ApplicationServices.framework/Headers/AXValue.h",
     "AXValueCreate(AXValueType type, const void *value)", "AXValueCreate(AXValueType type, void *value)",
     {"function AXValueCreate"}),
    ("System/Library/Frameworks/ApplicationServices.framework/Headers/AXValue.h",
     "kAXValueTypeCGRect = 3,", "kAXValueTypeCGRect = 7,",
     {"enumerator kAXValueTypeCGRect", "macro kAXValueCGRectType"}),
    ("System/Library/Frameworks/ApplicationServices.framework/Headers/AXValue.h",
     "CF_ENUM(uint32_t, AXValueType)", "CF_ENUM(int32_t, AXValueType)",
     {"enum AXValueType", "typedef AXValueType"}),
    ("System/Library/Frameworks/CoreGraphics.framework/Headers/CGGeometry.h",
     "  CGFloat width;\n  CGFloat height;", "  CGFloat width;\n  float height;",
     {"member CGSize::height"}),
    ("System/Library/Frameworks/Carbon.framework/Headers/CarbonEvents.h",
     "  OSType signature;\n  UInt32 id;", "  UInt32 id;\n  OSType signature;",
     {"member EventHotKeyID::signature", "member EventHotKeyID::id"}),
    ("usr/include/sys/_types.h",
     "struct _opaque_pthread_mutex_t { long __sig; char __opaque[56]; };",
     "struct _opaque_pthread_mutex_t { long __sig; char __opaque[48]; };",
     {"struct _opaque_pthread_mutex_t", "member _opaque_pthread_mutex_t::__opaque"}),
    ("System/Library/Frameworks/ApplicationServices.framework/Headers/AXUIElement.h",
     "extern const CFStringRef kAXTrustedCheckOptionPrompt;", "extern CFStringRef kAXTrustedCheckOptionPrompt;",
     {"constant kAXTrustedCheckOptionPrompt"}),
    ("System/Library/Frameworks/AppKit.framework/Headers/NSRunningApplication.h",
     "runningApplicationWithProcessIdentifier:(pid_t)pid;", "runningApplicationWithProcessIdentifier:(uid_t)pid;",
     {"method +[NSRunningApplication runningApplicationWithProcessIdentifier:]"}),
    ("System/Library/Frameworks/AppKit.framework/Headers/NSRunningApplication.h",
     "@property(readonly) pid_t processIdentifier;", "@property(readonly) long processIdentifier;",
     {"method -[NSRunningApplication processIdentifier]"}),
    ("System/Library/Frameworks/ApplicationServices.framework/Headers/AXConstants.h",
     'kAXTitleAttribute CFSTR("AXTitle")', 'kAXTitleAttribute CFSTR("AXTitel")',
     {"macro kAXTitleAttribute"}),
]


def materialise(root, relative):
    """Makes `relative` inside the copy `root` a real file (folders on the way
    that are links become real folders of links), so it can be edited
    without touching the repository."""
    path = root
    parts = relative.split("/")
    for part in parts[:-1]:
        path = os.path.join(path, part)
        if os.path.islink(path):
            target = os.path.realpath(path)
            os.unlink(path)
            os.mkdir(path)
            for entry in os.listdir(target):
                os.symlink(os.path.join(target, entry), os.path.join(path, entry))
    path = os.path.join(path, parts[-1])
    with open(path, encoding="utf-8") as original:
        text = original.read()
    os.unlink(path)
    return path, text


with tempfile.TemporaryDirectory(prefix="axc-planted-", dir=build) as scratch:
    for number, (relative, old, new, names) in enumerate(FAULTS, 1):
        copy = os.path.join(scratch, f"sysroot-{number}")
        shutil.copytree(sysroot, copy, symlinks=True)
        path, text = materialise(copy, relative)
        title = f"planted fault {number} ({sorted(names)[0]})"
        if old not in text:
            report(False, title, f"{relative} no longer has {old!r}: update the fault")
            continue
        with open(path, "w", encoding="utf-8") as header:
            header.write(text.replace(old, new, 1))
        planted = os.path.join(scratch, f"planted-{number}.mm")
        result = generate(copy, planted)
        if result.returncode != 0:
            report(False, title, "generating from the changed copy failed: " + result.stderr[-2000:])
            continue
        problems = []
        seen = set()
        for direction, source, root in (("changed headers' file vs original headers", planted, sysroot),
                                        ("original file vs changed headers", generated, copy)):
            for arch in ("arm64", "x86_64"):
                result = compile_against(source, root, arch)
                named = failures(result.stderr)
                seen |= named
                if result.returncode == 0:
                    problems.append(f"{direction} ({arch}): compiled, the change went unnoticed")
                elif not named or not named <= names:
                    problems.append(f"{direction} ({arch}): failures name {sorted(named)}, expected {sorted(names)}")
                    problems.append(result.stderr[-1500:])
        shutil.rmtree(copy)
        report(not problems, title, "\n  ".join(problems) if problems else
               f"{relative.split('/')[-1]}: {new.strip()!r} fails both ways, naming {', '.join(sorted(seen))}")

# 5. the load check compiles and links with the host's compiler
binary = os.path.join(build, "load_check")
result = run(["cc", "-std=c11", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-I", os.path.join(repo, "include"),
              os.path.join(here, "load_check.c"), "-o", binary])
if result.returncode != 0 and "dlopen" in result.stderr:
    result = run(["cc", "-std=c11", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-I",
                  os.path.join(repo, "include"), os.path.join(here, "load_check.c"), "-o", binary, "-ldl"])
report(result.returncode == 0, "load_check.c compiles and links (host)", result.stderr[-2000:])

# 6. the workflow parses and has what a Mac run needs
import yaml
workflow = os.path.join(repo, ".github", "workflows", "macos.yml")
try:
    with open(workflow, encoding="utf-8") as text:
        data = yaml.safe_load(text)
    jobs = data["jobs"]
    steps = [step for job in jobs.values() for step in job["steps"]]
    runs = "\n".join(step.get("run", "") for step in steps)
    missing = [word for word in (r"generate\.py", r"conformance\.mm", r"otool .*-L", r"nm -gU", r"load_check\.c",
                                 r"cmake --build", r"lipo -archs", r"RTLD|load_check ") if not re.search(word, runs)]
    runners = {job.get("runs-on") for job in jobs.values()}
    ok = not missing and runners == {"macos-14"} and (True in data or "on" in data)
    report(ok, "macos.yml is valid YAML with the Mac steps",
           f"missing {missing}, runners {sorted(map(str, runners))}" if not ok else f"{len(steps)} steps")
except Exception as error:  # a parse error or a missing key
    report(False, "macos.yml is valid YAML with the Mac steps", repr(error))

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
PYTHON
