#!/usr/bin/env python3
"""Writes an Objective-C++ file that checks, at compile time, that an SDK
declares everything the macOS declaration sysroot declares, the same way.

  generate.py --sysroot DIR --output FILE [--clang CLANG] [--libcxx]

DIR is a declaration sysroot: cmake/macos-sysroot as it is in the repository,
or one assembled by make-sysroot.py. The declarations are read from clang's
JSON dump of the sysroot's headers (every framework's umbrella header and
every header of usr/include outside c++/), and each one becomes a check
that names it:

  function     its full type (an overloaded name must have an overload of
               exactly that type: libc++ adds some to C functions);
  enum         each enumerator's value; the underlying type of an enum that
               has a fixed one, and for each named enum its size and
               signedness;
  typedef      the type it stands for (one level of sugar removed), and for
               an integer or enum type its size and signedness;
  struct/union size, alignment, each member's type and offset;
  constant     an extern variable's type;
  method       an Objective-C method's (or property accessor's) return and
               parameter types, as a message to a receiver of the class (a
               generic class specialised with distinct argument types);
  macro        an object-like macro's value: integer constant expressions,
               and CFSTR("...") literals compared as strings.

Sizes, offsets and values are those of the sysroot for arm64 and x86_64,
computed by clang at compile time (enumerators of a scratch file read back
from its AST); where the two differ the file checks each under its own
architecture. Compiled against Apple's SDK on a Mac

  clang++ -x objective-c++ -std=c++20 -fobjc-arc -fsyntax-only -ferror-limit=0 FILE

every difference is an error that names the declaration; compiled against
the sysroot it was made from it passes. Checks that fail against their own
sysroot (a form this generator can't express) are left out and counted in
the file's header. The file needs no C++ library headers.
"""

import argparse
import json
import os
import re
import struct
import subprocess
import sys
import tempfile

ARCHES = ["arm64", "x86_64"]
DEPLOYMENT = "12.0"

# Arguments that stand for the type parameters of a generic class, in order
# (NSDictionary<KeyType, ObjectType> becomes NSDictionary<NSString *, NSNumber *>):
# distinct classes, so a parameter taken for another shows.
TYPE_ARGUMENTS = ["NSString", "NSNumber", "NSDate"]


def compiler_flags(clang, sysroot, arch, libcxx):
    flags = [clang, "-target", f"{arch}-apple-macos{DEPLOYMENT}", "-isysroot", sysroot,
             "-x", "objective-c++", "-std=c++20", "-fobjc-arc", "-fsyntax-only",
             "-ferror-limit=0", "-Wno-everything", "-nostdinc++"]
    if libcxx:
        flags += ["-cxx-isystem", os.path.join(sysroot, "usr", "include", "c++", "v1")]
    return flags


def headers(sysroot):
    """The include lines of every umbrella and C header of the sysroot."""
    lines = []
    frameworks = os.path.join(sysroot, "System", "Library", "Frameworks")
    if os.path.isdir(frameworks):
        for entry in sorted(os.listdir(frameworks)):
            if entry.endswith(".framework"):
                name = entry[: -len(".framework")]
                if os.path.isfile(os.path.join(frameworks, entry, "Headers", name + ".h")):
                    lines.append(f"#include <{name}/{name}.h>")
    include = os.path.join(sysroot, "usr", "include")
    for root, folders, files in os.walk(include, followlinks=True):
        folders[:] = sorted(f for f in folders if os.path.relpath(os.path.join(root, f), include) != "c++")
        for name in sorted(files):
            if name.endswith(".h"):
                lines.append(f"#include <{os.path.relpath(os.path.join(root, name), include)}>")
    return lines


def header_files(sysroot):
    """Real paths of the sysroot's own header files (not libc++'s)."""
    files = set()
    for root, folders, names in os.walk(sysroot, followlinks=True):
        folders[:] = [f for f in folders if os.path.relpath(os.path.join(root, f), sysroot)
                      != os.path.join("usr", "include", "c++")]
        for name in names:
            if name.endswith(".h"):
                files.add(os.path.realpath(os.path.join(root, name)))
    return files


def run_clang(command, source_text, scratch, name):
    path = os.path.join(scratch, name)
    with open(path, "w", encoding="utf-8") as source:
        source.write(source_text)
    result = subprocess.run(command + [path], capture_output=True, text=True)
    return path, result


# ---------------------------------------------------------------- the AST

class Walker:
    """Follows the JSON dump in the order clang wrote it, because a location
    names its file only when it differs from the previous one."""

    def __init__(self, own_files):
        self.own_files = own_files
        self.file = None
        self.cache = {}

    def _point(self, loc):
        if not loc:
            return None
        if "spellingLoc" in loc or "expansionLoc" in loc:
            self._point(loc.get("spellingLoc"))
            return self._point(loc.get("expansionLoc"))
        if "file" in loc:
            self.file = loc["file"]
        return self.file

    def place(self, node):
        """Updates the current file from a node's locations; returns the
        file of the node's own location."""
        where = self._point(node.get("loc"))
        rng = node.get("range") or {}
        self._point(rng.get("begin"))
        self._point(rng.get("end"))
        return where

    def own(self, path):
        if path is None:
            return False
        if path not in self.cache:
            self.cache[path] = os.path.realpath(path) in self.own_files
        return self.cache[path]


def strip_ownership(text):
    """A parameter's type without the ownership ARC gives the variable."""
    text = re.sub(r"\b__strong\b\s*", "", text)
    if re.fullmatch(r"__unsafe_unretained\s+\w+", text.strip()):
        text = text.strip().split(None, 1)[1]
    return text.strip()


def va_list_spelled(text):
    """x86_64's va_list is an array of a builtin structure that can't be
    named; as a parameter it decays to a pointer to it."""
    return re.sub(r"\b__va_list_tag \*", "__builtin_va_list", text)


def unspellable(text):
    return "(unnamed" in text or "(anonymous" in text or "(lambda" in text


class Declarations:
    def __init__(self):
        self.functions = {}      # name -> type
        self.enums = {}          # name -> fixed underlying type or None
        self.enumerators = []    # (name, enum name or None)
        self.typedefs = {}       # name -> type
        self.records = {}        # spelled type -> [(field, type, bitfield)]
        self.constants = {}      # name -> type
        self.methods = {}        # display name -> (receiver kind, class, selector, return, params, type params)
        self.anonymous = {}      # record id -> fields, for typedef'd anonymous records


def collect(ast, own_files):
    walker = Walker(own_files)
    found = Declarations()
    seen_enumerators = set()

    def fields_of(node):
        fields = []
        for child in node.get("inner", []) or []:
            walker.place(child)
            if child.get("kind") == "FieldDecl" and child.get("name"):
                fields.append((child["name"], child["type"]["qualType"], bool(child.get("isBitfield"))))
            skip_children(child)
        return fields

    def skip_children(node):
        for child in node.get("inner", []) or []:
            walker.place(child)
            skip_children(child)

    def record_ids(node, out):
        if isinstance(node, dict):
            decl = node.get("decl")
            if isinstance(decl, dict) and "id" in decl:
                out.add(decl["id"])
            for child in node.get("inner", []) or []:
                record_ids(child, out)
        return out

    def objc_container(node, where):
        kind = node["kind"]
        if kind == "ObjCProtocolDecl":
            owner, receiver = node["name"], "protocol"
        elif kind == "ObjCCategoryDecl":
            owner, receiver = node["interface"]["name"], "class"
        else:
            owner, receiver = node["name"], "class"
        type_params = []
        for child in node.get("inner", []) or []:
            child_where = walker.place(child)
            if child.get("kind") == "ObjCTypeParamDecl":
                type_params.append(child["name"])
            elif child.get("kind") == "ObjCMethodDecl" and walker.own(child_where or where):
                params = []
                unavailable = False
                for grandchild in child.get("inner", []) or []:
                    walker.place(grandchild)
                    if grandchild.get("kind") == "ParmVarDecl":
                        params.append(strip_ownership(grandchild["type"]["qualType"]))
                    elif grandchild.get("kind") == "UnavailableAttr":
                        unavailable = True
                    skip_children(grandchild)
                if not unavailable:
                    sign = "-" if child["instance"] else "+"
                    display = (f"{sign}[id<{owner}> {child['name']}]" if receiver == "protocol"
                               else f"{sign}[{owner} {child['name']}]")
                    found.methods.setdefault(display, (
                        receiver, owner, child["name"], child["instance"],
                        strip_ownership(child["returnType"]["qualType"]), params, type_params))
                continue
            skip_children(child)

    def visit(node):
        where = walker.place(node)
        kind = node.get("kind")
        mine = walker.own(where)
        if kind in ("TranslationUnitDecl", "LinkageSpecDecl"):
            for child in node.get("inner", []) or []:
                visit(child)
            return
        if not mine or node.get("isImplicit"):
            skip_children(node)
            return
        name = node.get("name")
        if kind == "FunctionDecl":
            kind_text = re.sub(r"\s*__attribute__\(\((?:[^()]|\([^()]*\))*\)\)", "", node["type"]["qualType"])
            kind_text = va_list_spelled(kind_text)
            if name and not unspellable(kind_text):
                found.functions.setdefault(name, kind_text)
            skip_children(node)
        elif kind == "EnumDecl":
            if name:
                fixed = node.get("fixedUnderlyingType", {}).get("qualType")
                found.enums.setdefault(name, fixed)
            for child in node.get("inner", []) or []:
                walker.place(child)
                if child.get("kind") == "EnumConstantDecl" and child["name"] not in seen_enumerators:
                    seen_enumerators.add(child["name"])
                    found.enumerators.append((child["name"], name))
                skip_children(child)
        elif kind == "TypedefDecl":
            spelled = node["type"].get("desugaredQualType") or node["type"]["qualType"]
            if "__va_list_tag" in spelled:
                spelled = node["type"]["qualType"]
            # A typedef that names an anonymous structure is the structure's name.
            for record in record_ids(node, set()) & set(found.anonymous):
                found.records.setdefault(name, found.anonymous.pop(record))
            if unspellable(spelled):
                pass
            else:
                found.typedefs.setdefault(name, spelled)
            skip_children(node)
        elif kind in ("RecordDecl", "CXXRecordDecl"):
            if node.get("completeDefinition"):
                fields = fields_of(node)
                if name:
                    found.records.setdefault(f"{node.get('tagUsed', 'struct')} {name}", fields)
                else:
                    found.anonymous[node["id"]] = fields
            else:
                skip_children(node)
        elif kind == "VarDecl":
            if (node.get("storageClass") != "static" and "init" not in node and name
                    and not unspellable(node["type"]["qualType"])):
                found.constants.setdefault(name, node["type"]["qualType"])
            skip_children(node)
        elif kind in ("ObjCInterfaceDecl", "ObjCCategoryDecl", "ObjCProtocolDecl"):
            objc_container(node, where)
        else:
            skip_children(node)

    visit(ast)
    return found


def macros(own_files):
    """Object-like macros of the sysroot's headers that aren't reserved
    names: (name, body)."""
    found = {}
    for path in sorted(own_files):
        with open(path, encoding="utf-8") as header:
            text = header.read().replace("\\\n", " ")
        for match in re.finditer(r"^[ \t]*#[ \t]*define[ \t]+([A-Za-z]\w*)(?![\w(])[ \t]*(.*)$", text, re.M):
            name, body = match.group(1), match.group(2).split("/*")[0].split("//")[0].strip()
            if body:
                found.setdefault(name, body)
    return found


# ---------------------------------------------------------------- checks

class Check:
    """One named check: `text` is the C++ that asserts it; `values` are the
    compile-time quantities its text uses, computed per architecture."""

    def __init__(self, kind, name, template):
        self.kind = kind
        self.name = name
        self.template = template  # str.format(*values) -> C++ lines
        self.values = []          # C++ integer constant expressions
        self.results = {}         # arch -> list of ints

    def text(self, values):
        return self.template.format(*values)


class FloatCheck(Check):
    """A check of a double's bits; its message shows the number."""

    def text(self, values):
        if not values:
            return self.template.format("0", "0")
        bits = int(values[0].rstrip("ULL"))
        number = struct.unpack("<d", struct.pack("<Q", bits))[0]
        return self.template.format(f"0x{bits:016x}ULL", repr(number))


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def literal(value):
    if value > 2**63 - 1:
        return f"{value}ULL"
    if value < -(2**63 - 1):
        return f"(-{-value - 1}LL - 1)"
    return str(value)


def assertion(condition, kind, name, detail=""):
    message = f"{kind} {name}" + (f": {detail}" if detail else "")
    return f"static_assert({condition}, {c_string(message)});"


def build_checks(found, macro_bodies, enumerator_names):
    checks = []
    counter = [0]

    def unique(prefix):
        counter[0] += 1
        return f"axc_{prefix}{counter[0]}"

    for name, kind in sorted(found.functions.items()):
        var = unique("f")
        text = (f"template <class T> constexpr bool {var} = requires {{ axc::exact<T>(&{name}); }};\n"
                + assertion(f"{var}<{kind}>", "function", name, kind))
        checks.append(Check("function", name, text.replace("{", "{{").replace("}", "}}")))

    for name, enum in found.enumerators:
        check = Check("enumerator", name, assertion(f"(__int128)({name}) == {{0}}", "enumerator", name, "value {0}"))
        check.values = [f"(__int128)({name})"]
        checks.append(check)

    for name, fixed in sorted(found.enums.items()):
        spelled = f"enum {name}"
        if fixed:
            checks.append(Check("enum", name, esc(assertion(
                f"axc::same<__underlying_type({spelled}), {fixed}>", "enum", name, f"underlying type {fixed}"))))
        check = Check("enum", name, assertion(
            f"sizeof({spelled}) == {{0}} && __is_signed(__underlying_type({spelled})) == {{1}}",
            "enum", name, "size {0}, signed {1}"))
        check.values = [f"sizeof({spelled})", f"__is_signed(__underlying_type({spelled}))"]
        checks.append(check)

    for name, spelled in sorted(found.typedefs.items()):
        checks.append(Check("typedef", name, esc(assertion(f"axc::same<{name}, {spelled}>", "typedef", name, spelled))))
        check = Check("typedef", name, assertion(
            f"sizeof({name}) == {{0}} && axc::is_signed<{name}>() == {{1}}", "typedef", name, "size {0}, signed {1}"))
        check.values = [f"(__is_integral({name}) || __is_enum({name})) ? (__int128)sizeof({name}) : (__int128)(1/0)",
                        f"axc::is_signed<{name}>()"]
        check.integral_only = True
        checks.append(check)

    for spelled, fields in sorted(found.records.items()):
        bare = spelled.split(" ", 1)[1] if spelled.startswith(("struct ", "union ")) else spelled
        check = Check("struct", bare, assertion(
            f"sizeof({spelled}) == {{0}} && alignof({spelled}) == {{1}}", "struct", bare, "size {0}, alignment {1}"))
        check.values = [f"sizeof({spelled})", f"alignof({spelled})"]
        checks.append(check)
        for field, kind, bitfield in fields:
            member = f"{spelled}::{field}".replace("struct ", "").replace("union ", "")
            if not unspellable(kind):
                checks.append(Check("member", member, esc(assertion(
                    f"axc::same<decltype({spelled_member(spelled, field)}), {kind}>", "member", member, kind))))
            if not bitfield:
                check = Check("member", member, assertion(
                    f"__builtin_offsetof({spelled}, {field}) == {{0}}", "member", member, "offset {0}"))
                check.values = [f"__builtin_offsetof({spelled}, {field})"]
                checks.append(check)

    for name, kind in sorted(found.constants.items()):
        checks.append(Check("constant", name, esc(assertion(f"axc::same<decltype({name}), {kind}>", "constant", name, kind))))

    for display, method in sorted(found.methods.items()):
        text = method_check(display, *method)
        if text:
            checks.append(Check("method", display, esc(text)))

    for name, body in sorted(macro_bodies.items()):
        if name in found.functions or name in found.constants or name in enumerator_names:
            continue
        string = re.fullmatch(r'CFSTR\(\s*("(?:[^"\\]|\\.)*")\s*\)', body)
        if string:
            checks.append(Check("macro", name, esc(
                "#pragma push_macro(\"CFSTR\")\n#undef CFSTR\n#define CFSTR(text) text\n"
                + assertion(f"axc::equal({name}, {string.group(1)})", "macro", name, f"CFSTR({string.group(1)})")
                + "\n#pragma pop_macro(\"CFSTR\")")))
            continue
        # An integer constant: its value. A floating one: its bits as a double.
        check = Check("macro", name, assertion(f"(__int128)({name}) == {{0}}", "macro", name, "value {0}"))
        check.values = [f"axc::is_integer<decltype(({name}))>() ? (__int128)({name}) : (__int128)(1/0)"]
        check.optional = True
        checks.append(check)
        bits = f"__builtin_bit_cast(unsigned long long, (double)({name}))"
        check = FloatCheck("macro", name, assertion(
            f"axc::is_floating<decltype(({name}))>() && {bits} == {{0}}", "macro", name, "value {1}"))
        check.values = [f"axc::is_floating<decltype(({name}))>() ? (__int128){bits} : (__int128)(1/0)"]
        check.optional = True
        checks.append(check)
    return checks


def esc(text):
    return text.replace("{", "{{").replace("}", "}}")


def spelled_member(spelled, field):
    return f"(({spelled} *)nullptr)->{field}"


METHOD_COUNTER = [0]


def method_check(display, receiver, owner, selector, instance, returns, params, type_params):
    def substitute(text):
        for index, param in enumerate(type_params):
            argument = TYPE_ARGUMENTS[index % len(TYPE_ARGUMENTS)]
            text = re.sub(rf"\b{param}\b(<[^<>]*>)", rf"{argument}\1 *", text)
            text = re.sub(rf"\b{param}\b", argument + " *", text)
        return text

    if type_params:
        args = ", ".join(TYPE_ARGUMENTS[i % len(TYPE_ARGUMENTS)] + " *" for i in range(len(type_params)))
        klass = f"{owner}<{args}>"
    else:
        klass = owner
    if receiver == "protocol":
        if not instance:
            return None
        receiver_type = f"id<{owner}>"
        self_type = f"id<{owner}>"
    else:
        receiver_type = f"{klass} *"
        self_type = f"{klass} *"
    returns = substitute(returns)
    if returns == "instancetype":
        returns = self_type
    params = [substitute(p) for p in params]
    if any(unspellable(t) for t in params + [returns]):
        return None
    parts = selector.split(":")
    if len(params) == 0:
        message = selector
    else:
        message = " ".join(f"{part}:axc::exactly<{kind}>{{}}" for part, kind in zip(parts, params))
    METHOD_COUNTER[0] += 1
    var = f"axc_m{METHOD_COUNTER[0]}"
    if instance:
        body = f"requires (C o) {{ {{ [o {message}] }} -> axc::same_as<{returns}>; }}"
        argument = receiver_type
    else:
        body = f"requires {{ {{ [C {message}] }} -> axc::same_as<{returns}>; }}"
        argument = klass
    detail = f"returns {returns}" + (f", takes ({', '.join(params)})" if params else "")
    return (f"template <class C> constexpr bool {var} = {body};\n"
            + assertion(f"{var}<{argument}>", "method", display, detail))


# ---------------------------------------------------------------- values

def evaluate(checks, arch, prelude, flags_for, scratch):
    """Computes the checks' values for one architecture with clang: each
    value becomes an enumerator of a scratch file, read back from the AST.
    A check whose value doesn't compile is marked dead."""
    live = [(c, i) for c in checks for i in range(len(c.values))]
    while True:
        lines = prelude.split("\n")
        where = {}
        for number, (check, index) in enumerate(live):
            if getattr(check, "dead", False):
                continue
            where[len(lines) + 1] = (check, index)
            lines.append(f"enum : __int128 {{ axc_value_{number} = (__int128)({check.values[index]}) }};")
        command = flags_for(arch) + ["-Xclang", "-ast-dump=json"]
        _, result = run_clang(command, "\n".join(lines) + "\n", scratch, f"values-{arch}.mm")
        if result.returncode == 0:
            break
        bad = {int(n) for n in re.findall(rf"values-{arch}\.mm:(\d+):\d+: error", result.stderr)} & set(where)
        if not bad:
            sys.exit(f"computing values for {arch} failed:\n{result.stderr[-4000:]}")
        for line in bad:
            where[line][0].dead = True
    values = {}
    for match in re.finditer(r'"name": "axc_value_(\d+)".*?"value": "(-?\d+)"', result.stdout, re.S):
        values[int(match.group(1))] = int(match.group(2))
    for number, (check, index) in enumerate(live):
        if getattr(check, "dead", False):
            continue
        if number not in values:
            sys.exit(f"no value for {check.values[index]} ({arch})")
        check.results.setdefault(arch, [None] * len(check.values))[index] = values[number]


def render(unit):
    """A unit maps each architecture to its check of one declaration fact
    (or None); the same text for all is written once."""
    texts = {}
    for arch in ARCHES:
        check = unit.get(arch)
        if check is None:
            texts[arch] = None
        elif check.values:
            texts[arch] = check.text([literal(v) for v in check.results[arch]])
        else:
            texts[arch] = check.text([])
    first = texts[ARCHES[0]]
    if first is not None and all(texts[arch] == first for arch in ARCHES):
        return first
    out = []
    for n, arch in enumerate(ARCHES):
        out.append(f"#{'if' if n == 0 else 'elif'} defined(__{arch}__)")
        if texts[arch] is not None:
            out.append(texts[arch])
    out.append("#endif")
    return "\n".join(out)


SUPPORT = r"""
namespace axc {
template <class A, class B> constexpr bool same_v = false;
template <class A> constexpr bool same_v<A, A> = true;
template <class A, class B> concept same = same_v<A, B>;
template <class A, class B> concept same_as = same_v<A, B>;
// Takes the address of an overload set as exactly T*.
template <class T> constexpr bool exact(T *) { return true; }
// Converts only to exactly T: as a message argument it proves the
// parameter's type.
template <class T> struct exactly {
  template <class U> requires same<U, T> operator U() const;
};
template <class T> constexpr bool is_signed() {
  if constexpr (__is_enum(T)) return __is_signed(__underlying_type(T));
  else return __is_signed(T);
}
template <class T> struct bare { using type = T; };
template <class T> struct bare<T &> { using type = T; };
template <class T> struct bare<T &&> { using type = T; };
template <class T> constexpr bool is_integer() {
  using U = typename bare<T>::type;
  return __is_integral(U) || __is_enum(U);
}
template <class T> constexpr bool is_floating() { return __is_floating_point(typename bare<T>::type); }
constexpr bool equal(const char *a, const char *b) {
  while (*a && *a == *b) { ++a; ++b; }
  return *a == *b;
}
}  // namespace axc
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sysroot", required=True, help="the declaration sysroot to read")
    parser.add_argument("--output", required=True, help="the .mm file to write")
    parser.add_argument("--clang", default=os.environ.get("CLANG", "clang++-19"),
                        help="clang++ to read the headers with (default clang++-19)")
    args = parser.parse_args()
    sysroot = os.path.abspath(args.sysroot)
    libcxx = os.path.isfile(os.path.join(sysroot, "usr", "include", "c++", "v1", "__config"))
    flags_for = lambda arch: compiler_flags(args.clang, sysroot, arch, libcxx)
    includes = headers(sysroot)
    own = header_files(sysroot)
    prelude = "\n".join(includes) + "\n" + SUPPORT
    units = {}
    order = []
    unexpressed = []
    with tempfile.TemporaryDirectory(prefix="axc-conformance-") as scratch:
        for arch in ARCHES:
            _, result = run_clang(flags_for(arch) + ["-Xclang", "-ast-dump=json"],
                                  "\n".join(includes) + "\n", scratch, "headers.mm")
            if result.returncode != 0:
                sys.exit(f"{args.clang} could not read the sysroot's headers:\n{result.stderr[-4000:]}")
            found = collect(json.loads(result.stdout), own)
            enumerator_names = {name for name, _ in found.enumerators}
            METHOD_COUNTER[0] = 0
            checks = build_checks(found, macros(own), enumerator_names)
            evaluate(checks, arch, prelude, flags_for, scratch)
            ordinal = {}
            for check in checks:
                key = (check.kind, check.name, ordinal.setdefault((check.kind, check.name), [0])[0])
                ordinal[(check.kind, check.name)][0] += 1
                if getattr(check, "dead", False):
                    # A macro that isn't an integer constant, or a typedef of
                    # a type that isn't an integer, has no value to check.
                    if not (getattr(check, "optional", False) or getattr(check, "integral_only", False)):
                        unexpressed.append(check)
                    continue
                if key not in units:
                    units[key] = {}
                    order.append(key)
                units[key][arch] = check
        # Every check must hold against the sysroot it comes from: one that
        # doesn't is a form this generator can't express; it is left out.
        for arch in ARCHES:
            while True:
                lines = prelude.split("\n")
                where = {}
                for key in order:
                    start = len(lines) + 1
                    text = render(units[key]).split("\n")
                    for offset in range(len(text)):
                        where[start + offset] = key
                    lines.extend(text)
                _, result = run_clang(flags_for(arch), "\n".join(lines) + "\n", scratch, f"self-{arch}.mm")
                if result.returncode == 0:
                    break
                bad = {where[int(n)] for n in re.findall(rf"self-{arch}\.mm:(\d+):\d+: error", result.stderr)
                       if int(n) in where}
                if not bad:
                    sys.exit(f"the checks don't compile against {sysroot} ({arch}):\n{result.stderr[-4000:]}")
                unexpressed.extend(next(iter(units[key].values())) for key in bad)
                order = [key for key in order if key not in bad]

    checks = [next(iter(units[key].values())) for key in order]
    seen = set()
    unexpressed = [c for c in unexpressed if not ((c.kind, c.name) in seen or seen.add((c.kind, c.name)))]
    counts = {}
    for check in checks:
        counts[check.kind] = counts.get(check.kind, 0) + check.text(["0"] * 8).count("static_assert(")
    total = sum(counts.values())
    summary = ", ".join(f"{kind} {counts[kind]}" for kind in
                        ["function", "enumerator", "enum", "typedef", "struct", "member", "constant", "method", "macro"]
                        if kind in counts)
    out = [
        "// Generated by tools/macos-sysroot/conformance/generate.py from the",
        f"// declaration sysroot's headers; do not edit. {total} checks: {summary}.",
        f"// Left out as not expressible: {len(unexpressed)}"
        + (" (" + ", ".join(sorted(f"{c.kind} {c.name}" for c in unexpressed)) + ")" if unexpressed else "") + ".",
        "// Compile against an SDK: clang++ -x objective-c++ -std=c++20 -fobjc-arc -fsyntax-only -ferror-limit=0 FILE",
        "// (each architecture); a failing check names the declaration that differs.",
        "#pragma clang diagnostic ignored \"-Wdeprecated-declarations\"",
        "#pragma clang diagnostic ignored \"-Wunguarded-availability\"",
        "#pragma clang diagnostic ignored \"-Wunguarded-availability-new\"",
    ] + includes + [SUPPORT]
    for key in order:
        out.append(render(units[key]))
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "w", encoding="utf-8") as output:
        output.write("\n".join(out) + "\n")
    print(f"{args.output}: {total} checks ({summary}); {len(unexpressed)} left out")


if __name__ == "__main__":
    main()
