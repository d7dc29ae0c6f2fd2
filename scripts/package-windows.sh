#!/usr/bin/env bash
# Builds Sorvix for 64-bit Windows on Debian 12 (cross-compiled with
# mingw-w64 against the prefix of scripts/windows-toolchain.sh, which is built
# first when it is missing) and writes into dist/:
#
#   sorvix-<version>-win64-setup.exe   the installer (NSIS, for the whole machine)
#   sorvix-<version>-win64.zip         the portable folder: Sorvix.exe runs on
#                                      the folder it is in, as build/program/ does
#
# The Windows build is in build-windows/ (build-windows/program/ is the
# program folder with Sorvix.exe and its DLLs, runnable under Wine).
# Usage: scripts/package-windows.sh [--test]
#   --test   also cross-builds the test programs and runs them under Wine,
#            then checks the installer, the installed and the portable program
#            under Wine on Xvfb (scripts/windows-check.sh)
# SORVIX_WINDOWS_PREFIX names another toolchain prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
test=0
for arg in "$@"; do
  case $arg in
    --test) test=1 ;;
    *) echo "usage: $0 [--test]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
scripts/install-deps.sh nsis icoutils zip unzip
version=$(sed -n 's/^project(Sorvix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
toolchain_version=$(sed -n 's/^version=//p' scripts/windows-toolchain.sh)
prefix=$(realpath -m "${SORVIX_WINDOWS_PREFIX:-$HOME/.cache/sorvix/windows-$toolchain_version}")
triple=x86_64-w64-mingw32

# ---- the toolchain: unpacked from its archive when there is one, else built
if [ ! -e "$prefix/share/sorvix/built/qtbase" ] && [ -e "$prefix.tar.xz" ]; then
  scripts/windows-toolchain.sh --prefix "$prefix" --from "$prefix.tar.xz"
fi
start=$(date +%s)
scripts/windows-toolchain.sh --prefix "$prefix"
echo "toolchain ready in $(( $(date +%s) - start )) s: $prefix"

# ---- the build
build=build-windows
targets=(Sorvix)
[ $test -eq 1 ] && targets+=(sorvix_tests sorvix_ui_tests killdriver)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/share/sorvix/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$build" --target "${targets[@]}" -- -j2

# ---- what runs beside Sorvix.exe: the DLLs it loads (found by reading the
# imports, one after another), Qt's plug-ins and Chinese texts, qt.conf
gcc_runtime=$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")
dll_dirs=("$prefix/bin" "$gcc_runtime" "/usr/$triple/lib")
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll
  imageformats/qgif.dll imageformats/qico.dll multimedia/windowsmediaplugin.dll)
deploy() { # deploy DIR: Qt's plug-ins and every DLL of DIR's executables, into DIR
  local dir=$1 queue=() seen=" " file dll lower found d
  for p in "${plugins[@]}"; do
    mkdir -p "$dir/plugins/$(dirname "$p")"
    cp "$prefix/plugins/$p" "$dir/plugins/$p"
    queue+=("$dir/plugins/$p")
  done
  queue+=("$dir"/*.exe)
  while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $($triple-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
      lower=${dll,,}
      [[ "$seen" == *" $lower "* ]] && continue
      seen+="$lower "
      for d in "${dll_dirs[@]}"; do
        found=$(find "$d" -maxdepth 1 -iname "$dll" | head -1)
        if [ -n "$found" ]; then
          cp "$found" "$dir/"
          queue+=("$found")
          break
        fi
      done
    done
  done
  mkdir -p "$dir/translations"
  cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$dir/translations/"
  # Qt's folders (plug-ins, translations) beside the executable.
  printf '[Paths]\r\nPrefix = .\r\n' > "$dir/qt.conf"
}
deploy "$build/program"

# ---- the staged program: the executable, its DLLs and the factory folder,
# laid out as the Debian package's (no result folders)
stage=$build/stage
rm -rf "$stage" && mkdir -p "$stage/app"
cp "$build/program/Sorvix.exe" "$stage/app/"
deploy "$stage/app"
# Without the debugging symbols (the libraries' autotools builds keep them).
find "$stage/app" \( -name '*.exe' -o -name '*.dll' \) -exec $triple-strip --strip-unneeded {} +
cmake -DSOURCE_DIR="$root" -DPROGRAM_DIR="$stage/app/factory" -P scripts/layout-program-folder.cmake
rm -rf "$stage/app/factory/dat" "$stage/app/factory/datm"
mkdir -p "$stage/app/licenses"
cp packaging/copyright "$stage/app/licenses/Sorvix.txt"
cp -r "$prefix/share/sorvix/licenses/." "$stage/app/licenses/"
# The compiler's runtime DLLs (libstdc++, libgcc, winpthreads).
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/app/licenses/gcc-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/app/licenses/mingw-w64-runtime.txt"

mkdir -p dist
rm -f dist/sorvix-*-win64-setup.exe dist/sorvix-*-win64.zip

# ---- the portable folder: the program folder itself, with Sorvix.exe in it
portable=$stage/portable/Sorvix
mkdir -p "$portable"
(cd "$stage/app" && cp -r --parents $(find . -maxdepth 1 ! -name . ! -name factory -printf '%P\n') "$root/$portable/")
cmake -DSOURCE_DIR="$root" -DPROGRAM_DIR="$portable" -P scripts/layout-program-folder.cmake
zip_file=dist/sorvix-$version-win64.zip
(cd "$stage/portable" && TZ=UTC find Sorvix -exec touch -d "$(date -u -d "$(sed -n 's/^set(SORVIX_RELEASE_DATE \(.*\))/\1/p' "$root/CMakeLists.txt") 12:00")" {} + \
  && find Sorvix | LC_ALL=C sort | zip -q -X -9 "$root/$zip_file" -@)

# ---- the installer
filelist=$stage/files.nsh
(cd "$stage/app"
  find . -type f | LC_ALL=C sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | LC_ALL=C sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
) > "$filelist"
icon=$build/packaging/windows/sorvix.ico
setup=dist/sorvix-$version-win64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$root/$stage/app" -DFILELIST="$root/$filelist" \
  -DICON="$root/$icon" -DOUTFILE="$root/$setup" packaging/windows/sorvix.nsi
ls -l "$setup" "$zip_file"

if [ $test -eq 1 ]; then
  scripts/windows-check.sh "$build" "$setup" "$zip_file"
fi
