#!/usr/bin/env bash
# The Node package, offline: the addon built with node-gyp against the
# installed headers, its tests (the simulated desktop through the kit, the
# GLib loop), the package packed with the library and the kit for this
# platform, installed into an empty project, and the example run there.
#   bindings/node/scripts/ci.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:?usage: ci.sh BUILD_DIR}" && pwd)"
here="$(cd "$(dirname "$0")/.." && pwd)"
repo="$(cd "$here/../.." && pwd)"
cd "$here"

node_gyp=""
for candidate in /usr/lib/node_modules/npm/node_modules/node-gyp/bin/node-gyp.js \
                 /usr/share/nodejs/node-gyp/bin/node-gyp.js; do
  [ -f "$candidate" ] && { node_gyp="$candidate"; break; }
done
[ -n "$node_gyp" ] || { command -v node-gyp >/dev/null && node_gyp="$(command -v node-gyp)"; }
[ -n "$node_gyp" ] || { echo "node-gyp not found (apt-get install node-gyp)"; exit 1; }
echo "node $(node --version), node-gyp $(node "$node_gyp" --version) ($node_gyp), headers /usr/include/node"
node "$node_gyp" rebuild --nodedir=/usr >build-addon.log 2>&1 || { tail -n 40 build-addon.log; exit 1; }

export AXTRACK_KIT_DIR="$build/bin" AXTRACK_LIBRARY="$build/bin/libaxtrack.so.0"
node --test test/ 2>&1 | grep -vE '^# (ROle|Selected text|Accessibility is|Optional|Task |hello|returing|some where)' |
  grep -E '^(not )?ok|^# (tests|pass|fail)' || true
node --test test/ >test.log 2>&1 || { grep -B2 -A30 '^not ok' test.log | head -n 80; exit 1; }
unset AXTRACK_KIT_DIR AXTRACK_LIBRARY

# The package: addon, library and kit for linux-x64, and the addon and
# library for darwin-arm64 and darwin-x64 when the macOS cross build lies
# beside (build-macos/node, bindings/node/CMakeLists.txt; docs/node.md).
platform="$(node -p 'process.platform + "-" + process.arch')"
rm -rf prebuilds && mkdir -p "prebuilds/$platform/kit"
cp build/Release/axtrack.node "prebuilds/$platform/"
cp -L "$build/bin/libaxtrack.so.0" "prebuilds/$platform/"
for f in libaxtrack-simdesk.so libaxtrack-kit.so libsimdesk.so; do cp -L "$build/bin/$f" "prebuilds/$platform/kit/"; done
macos=()
for dir in "$repo"/build-macos/node/darwin-*/; do
  [ -f "$dir/axtrack.node" ] || continue
  cp -r "$dir" prebuilds/
  macos+=("$(basename "$dir")")
done
strip --strip-unneeded prebuilds/"$platform"/*.so* prebuilds/"$platform"/kit/*.so prebuilds/"$platform"/axtrack.node
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
tarball="$(cd "$out" && npm pack --silent "$here")"
echo "package $tarball: $(du -k "$out/$tarball" | cut -f1) KiB packed, $(tar -tzf "$out/$tarball" | wc -l) files"
tar -tzf "$out/$tarball" >"$out/files"
for p in "$platform" "${macos[@]}"; do
  grep -qx "package/prebuilds/$p/axtrack.node" "$out/files" || { echo "the package lacks $p's addon"; exit 1; }
done
if [ ${#macos[@]} -gt 0 ]; then
  echo "prebuilt for: $platform ${macos[*]}"
else
  echo "prebuilt for: $platform; no macOS files (build-macos/node isn't there)"
fi

# Installed offline into an empty project, the example run there.
mkdir "$out/project" && cd "$out/project"
npm init -y >/dev/null
npm install --offline --no-audit --no-fund "$out/$tarball" >npm.log 2>&1 || { cat npm.log; exit 1; }
cp "$repo/examples/node-host/host.js" .
node host.js --kit "$repo/examples/kit-host/selection.json" >host.out 2>&1 || { cat host.out; exit 1; }
grep -E '^(trusted|text|pasteboard)|textSelected|replaced' host.out
grep -qx '2.180 textSelected .*"selectedText":"Grüße".*' host.out
grep -qx 'text GRÜSSE aus Köln' host.out
grep -q "^pasteboard \[{\"public.utf8-plain-text\":\"the user's own clipboard\"}\]" host.out

if command -v tsc >/dev/null; then
  tsc -p "$repo/examples/node-host/tsconfig.json" && echo "the Electron example type-checks (tsc $(tsc --version))"
else
  echo "tsc missing: the Electron example not type-checked"
fi
