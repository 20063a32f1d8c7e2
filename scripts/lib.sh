# Shared by the scripts: folders, the Windows build and the Wine environment.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
jobs=$(nproc 2>/dev/null || echo 2)

export WINEPREFIX=$build/wine
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no prompts for Mono or Gecko

# configure_and_build DIR [cmake args...]
configure_and_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 || {
      cat "$dir.configure.log" >&2
      return 1
    }
  fi
  local rc=0
  cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    grep -v -E '^\[ *[0-9]+%\]|^-- ' "$dir.build.log" | tail -n 80 >&2
    echo "build failed in $dir (full log: $dir.build.log)" >&2
  fi
  return $rc
}

build_windows() {
  mkdir -p "$build"
  configure_and_build "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
}

# A Wine prefix of our own; the first start creates it.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "test: creating the Wine prefix"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
