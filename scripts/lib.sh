# Shared by the scripts: folders, the Windows builds and the Wine environment.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
jobs=$(nproc 2>/dev/null || echo 2)

# The shipped binaries are 32-bit (build/windows). Many machines cannot run 32-bit programs at
# all, so the Windows tests run on a 64-bit build of the same sources (build/windows64) under
# 64-bit Wine, in a 64-bit prefix of its own: the same flavour on every machine.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINELOADER=$wine
export WINEPREFIX=$build/wine64
export WINEARCH=win64
export WINEDEBUG=-all
# No prompts for Mono or Gecko; no debugger waiting on a crashed test: it fails at once instead.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# configure_and_build DIR [cmake args...]
configure_and_build() {
  local dir=$1
  shift
  # Configured every time (quick when nothing changed), so the options given here always hold.
  local type=()
  [ -f "$dir/CMakeCache.txt" ] || type=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  cmake -S "$root" -B "$dir" "${type[@]}" "$@" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log" >&2
    return 1
  }
  local rc=0
  cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    grep -v -E '^\[ *[0-9]+%\]|^-- ' "$dir.build.log" | tail -n 80 >&2
    echo "build failed in $dir (full log: $dir.build.log)" >&2
  fi
  return $rc
}

# The shipped 32-bit binaries, without tests.
build_windows() {
  mkdir -p "$build"
  configure_and_build "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DDAVRIN_TESTS=OFF
}

# The same sources for 64-bit Windows, with every test: what runs here under Wine.
build_windows64() {
  mkdir -p "$build"
  configure_and_build "$build/windows64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
}

# A Wine prefix of our own; the first start creates it. Bounded, so a Wine that cannot start
# ends the run instead of hanging it.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "test: creating the 64-bit Wine prefix"
    timeout 600 "$wine" wineboot -i >/dev/null 2>&1 || true
    timeout 120 "$wineserver" -w || true
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "test: Wine could not create its prefix in $WINEPREFIX" >&2
    return 1
  fi
}

stop_wine() {
  timeout 60 "$wineserver" -k >/dev/null 2>&1 || true
}
