#!/usr/bin/env bash
# Builds the Windows x86-64 toolchain prefix that the Windows build of Sorvix
# links against, from Debian 12 source packages with Debian's mingw-w64
# compilers (posix threads) and no other download:
#
#   qtbase, qtshadertools, qtmultimedia (Windows Media Foundation), qthttpserver
#   (Qt 6.4.2, shared), zlib (Debian's mingw build), mdds, Boost's headers,
#   ixion and orcus 0.17, freexl, libxlsxwriter, libqrencode, GoogleTest
#
# then packs the prefix into one .tar.xz beside it. Every part that is built
# leaves a mark in the prefix, so a second run goes on where the first stopped.
#
# Usage: scripts/windows-toolchain.sh [--prefix DIR] [--from FILE] [--only PART...]
#   --prefix DIR   where to build (default ~/.cache/sorvix/windows-<version>)
#   --from FILE    unpack a prefix packed by an earlier run instead of building
#   --only PART    build only the named parts (repeatable; no packing)
#   --list         print the parts and whether each is built
#   --retry        try again the parts whose source could not be fetched
# SORVIX_WINDOWS_JOBS sets the build's parallel jobs (default 2).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

# The toolchain's version: Qt's, then this script's revision of the recipe.
# Raise the revision when a part is built differently.
version=6.4.2-1
prefix=${SORVIX_WINDOWS_PREFIX:-$HOME/.cache/sorvix/windows-$version}
jobs=${SORVIX_WINDOWS_JOBS:-2}
from=""
only=()
list=0
retry=0
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --from) from=$(realpath "$2"); shift 2 ;;
    --only) only+=("$2"); shift 2 ;;
    --list) list=1; shift ;;
    --retry) retry=1; shift ;;
    *) echo "usage: $0 [--prefix DIR] [--from FILE] [--only PART] [--list] [--retry]" >&2; exit 2 ;;
  esac
done
prefix=$(realpath -m "$prefix")
work=$prefix.work        # sources, build trees and logs; removed once packed
marks=$prefix/share/sorvix/built
archive=$prefix.tar.xz
triple=x86_64-w64-mingw32
toolchain=$prefix/share/sorvix/mingw-w64-x86_64.cmake

# part: Debian source package, its version in Debian 12 (bookworm)
parts=(qtbase zlib mdds boost ixion orcus freexl xlsxwriter qrencode googletest
  qtshadertools qtmultimedia qthttpserver)
declare -A package=(
  [qtbase]=qt6-base [qtshadertools]=qt6-shadertools [qtmultimedia]=qt6-multimedia
  [qthttpserver]=qt6-httpserver [mdds]=mdds [boost]=boost1.74 [ixion]=libixion
  [orcus]=liborcus [freexl]=freexl [xlsxwriter]=libxlsxwriter [qrencode]=qrencode
  [googletest]=googletest)

built() { [ -e "$marks/$1" ] && [ "$(cat "$marks/$1")" != unavailable ]; }

if [ $list -eq 1 ]; then
  for p in "${parts[@]}"; do
    if [ -e "$marks/$p" ]; then echo "$p: $(cat "$marks/$p")"; else echo "$p: to build"; fi
  done
  exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# Debian's cross compilers, the host's own Qt 6.4.2 tools (moc, rcc, qsb:
# Qt's cross build runs them from -qt-host-path), and what the builds need.
host_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools libz-mingw-w64 libz-mingw-w64-dev cmake ninja-build pkg-config dpkg-dev xz-utils perl python3
  autoconf automake libtool make patch bison
  qt6-base-dev qt6-base-dev-tools qt6-shadertools-dev qt6-shader-baker)
"$source_dir/scripts/install-deps.sh" "${host_packages[@]}"

if [ -n "$from" ]; then
  echo "Unpacking $from into $prefix"
  rm -rf "$prefix" && mkdir -p "$prefix"
  tar -xJf "$from" -C "$prefix"
  "$0" --prefix "$prefix" --list
  exit 0
fi

todo=()
for p in "${parts[@]}"; do
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $p "* ]]; then continue; fi
  # A part whose source could not be fetched is tried again with --retry.
  [ -e "$marks/$p" ] && [ $retry -eq 0 ] && continue
  built "$p" || todo+=("$p")
done
mkdir -p "$work/src" "$work/build" "$work/logs" "$marks" "$prefix/share/sorvix"
cp "$source_dir/cmake/mingw-w64-x86_64.cmake" "$toolchain"

# ---- sources: apt-get source through a deb-src entry of our own, removed again
src_entry=/etc/apt/sources.list.d/sorvix-windows-src.sources
remove_src_entry() {
  if [ -e "$src_entry" ]; then
    $sudo rm -f "$src_entry"
    $sudo apt-get update -q >/dev/null || true
  fi
}
fetch_sources() {
  local need=()
  for p in "$@"; do
    local pkg=${package[$p]:-}
    [ -n "$pkg" ] || continue
    ls -d "$work/src/$pkg"-*/ >/dev/null 2>&1 || need+=("$p")
  done
  [ ${#need[@]} -gt 0 ] || return 0
  trap remove_src_entry EXIT
  # The same mirrors and suites as the binary entries, for source packages.
  local tmp
  tmp=$(mktemp)
  if [ -e /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$tmp"
  else
    grep -hE '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$tmp"
    src_entry=/etc/apt/sources.list.d/sorvix-windows-src.list
  fi
  $sudo install -m 644 "$tmp" "$src_entry"
  rm -f "$tmp"
  $sudo apt-get update -q >/dev/null
  for p in "${need[@]}"; do
    local pkg=${package[$p]}
    echo "Fetching the Debian source of $pkg"
    (cd "$work/src" && apt-get source -q --download-only "$pkg") >> "$work/logs/sources.log" 2>&1 || true
    local dsc
    dsc=$(ls "$work/src/${pkg}"_*.dsc 2>/dev/null | head -1 || true)
    if [ -n "$dsc" ] && (cd "$work/src" && dpkg-source -x "$dsc") >> "$work/logs/sources.log" 2>&1; then
      continue
    fi
    # A mirror that lacks the Debian part still gives the upstream source.
    local orig
    orig=$(ls "$work/src/${pkg}"_*.orig.tar.* 2>/dev/null | head -1 || true)
    if [ -n "$orig" ]; then
      local version
      version=$(basename "$orig" | sed -E "s/^${pkg}_(.*)\.orig\.tar\..*/\1/")
      mkdir -p "$work/src/$pkg-$version"
      tar -xf "$orig" -C "$work/src/$pkg-$version" --strip-components=1
      echo "   $pkg: only the upstream source could be fetched, built without Debian's patches"
    else
      echo "   $pkg: its source cannot be fetched from this machine's mirror"
    fi
  done
  remove_src_entry
  trap - EXIT
}
src_of() { { ls -d "$work/src/${package[$1]}"-*/ 2>/dev/null || true; } | head -1 | sed 's:/$::'; }
# Parts the program can do without: when their source cannot be fetched the
# toolchain goes on without them, and the build leaves out what needs them.
optional_parts=" qthttpserver "

# ---- the parts
cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=ON)
qt_module_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix"
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)

build_qtbase() {
  local src b=$work/build/qtbase
  src=$(src_of qtbase)
  rm -rf "$b" && mkdir -p "$b" && cd "$b"
  # Debian's source leaves out wintab and sqlite: no tablet events, no SQL.
  "$src/configure" -prefix "$prefix" -release -shared -xplatform win32-g++ \
    -device-option CROSS_COMPILE=$triple- -qt-host-path /usr \
    -nomake examples -nomake tests -no-feature-sql -no-dbus -no-opengl -no-icu \
    -no-feature-tabletevent -schannel -no-pkg-config -- \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  cmake --build . --parallel "$jobs"
  cmake --install .
}

build_qt_module() {
  local part=$1 src b=$work/build/$1
  shift
  src=$(src_of "$part")
  # A second try goes on in the first one's build tree.
  mkdir -p "$b" && cd "$b"
  cmake -S "$src" -B . "${qt_module_common[@]}" "$@"
  cmake --build . --parallel "$jobs"
  cmake --install .
}

build_zlib() {
  # Debian builds zlib for mingw-w64: its DLL, import library and headers.
  local root=/usr/$triple
  mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
  cp "$root/lib/zlib1.dll" "$prefix/bin/"
  cp "$root/lib/libz.dll.a" "$prefix/lib/"
  cp "$root/include/zlib.h" "$root/include/zconf.h" "$prefix/include/"
  mkdir -p "$prefix/lib/pkgconfig"
  local zversion
  zversion=$(sed -n 's/^Version: //p' "$root/lib/pkgconfig/zlib.pc")
  printf '%s\n' "prefix=$prefix" 'libdir=${prefix}/lib' 'includedir=${prefix}/include' '' \
    'Name: zlib' 'Description: zlib compression library' "Version: $zversion" \
    'Libs: -L${libdir} -lz' 'Cflags: -I${includedir}' > "$prefix/lib/pkgconfig/zlib.pc"
}

build_qtshadertools() { build_qt_module qtshadertools; }
build_qtmultimedia() {
  # Windows Media Foundation only: no FFmpeg and no Qt Quick in this prefix.
  # Qt looks for some of its libraries by Windows' mixed-case names, which a
  # case-sensitive file system does not find in mingw-w64's lower-case ones.
  # Its Windows sources include headers by such names too (Windows' and one
  # of Qt's): each is forwarded to the lower-case one (through CPLUS_INCLUDE_PATH).
  local headers=$work/build/mixed-case-headers h
  rm -rf "$headers" && mkdir -p "$headers"
  for h in $(grep -rhoE '#include [<"][A-Za-z0-9_]+\.h[>"]' "$(src_of qtmultimedia)/src" \
             | sed 's/.*[<"]\(.*\)[>"]/\1/' | sort -u); do
    [ "$h" != "${h,,}" ] && [ ! -e "/usr/share/mingw-w64/include/$h" ] || continue
    if [ -e "/usr/share/mingw-w64/include/${h,,}" ] || ls "$prefix"/include/Qt*/"${h,,}" >/dev/null 2>&1; then
      echo "#include <${h,,}>" > "$headers/$h"
    fi
  done
  CPLUS_INCLUDE_PATH=$headers build_qt_module qtmultimedia -DFEATURE_wmf=ON -DFEATURE_ffmpeg=OFF \
    -DWMF_MF_LIBRARY=mf -DWMF_MFUUID_LIBRARY=mfuuid -DWMF_MFPLAT_LIBRARY=mfplat \
    -DWMF_MFCORE_LIBRARY=mfcore -DWMF_PROPSYS_LIBRARY=propsys
}
build_qthttpserver() { build_qt_module qthttpserver; }

# Autotools projects: cross-configured, shared, with the prefix's .pc files only.
cross_env=(CC=$triple-gcc-posix CXX=$triple-g++-posix AR=$triple-ar RANLIB=$triple-ranlib
  STRIP=$triple-strip PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig:$prefix/share/pkgconfig PKG_CONFIG_PATH=)
autotools_build() {
  local part=$1 src b=$work/build/$1
  shift
  src=$(src_of "$part")
  rm -rf "$b" && cp -a "$src" "$b" && cd "$b"
  [ -n "${autotools_prepare:-}" ] && eval "$autotools_prepare"
  env "${cross_env[@]}" ./configure --host=$triple --prefix="$prefix" --enable-shared --disable-static "$@"
  make -j"$jobs"
  make install
}

build_mdds() {
  # Headers only (and its .pc file).
  local src b=$work/build/mdds
  src=$(src_of mdds)
  rm -rf "$b" && cp -a "$src" "$b" && cd "$b"
  ./configure --prefix="$prefix" --disable-docs
  make install
}

build_boost() {
  # Only the libraries orcus and ixion link (filesystem; program_options and
  # date_time for their configure checks and tools), and the headers.
  local src b=$work/build/boost
  src=$(src_of boost)
  rm -rf "$b" && mkdir -p "$b" && cd "$src"
  # Debian's source leaves the build engine's grammar to bison, as its rules do.
  [ -e tools/build/src/engine/jamgram.cpp ] \
    || (cd tools/build && bison -y -d -o src/engine/jamgram.cpp src/engine/jamgram.y)
  ./bootstrap.sh --with-libraries=filesystem,program_options,date_time,system > "$b/bootstrap.log"
  echo "using gcc : mingw : $triple-g++-posix : <rc>$triple-windres <archiver>$triple-ar <ranlib>$triple-ranlib ;" \
    > "$b/user-config.jam"
  ./b2 -j"$jobs" -q --user-config="$b/user-config.jam" --build-dir="$b" --prefix="$prefix" --layout=system \
    toolset=gcc-mingw target-os=windows threadapi=win32 address-model=64 architecture=x86 \
    variant=release link=shared runtime-link=shared \
    --with-filesystem --with-program_options --with-date_time --with-system install
}

build_ixion() {
  # -ldl is for Linux's dlopen; Windows loads its modules with LoadLibrary,
  # whose function pointer GCC (unlike MSVC) converts only when told.
  autotools_prepare="sed -i 's/ -pthread -ldl\"/ -pthread\"/' configure
    sed -i 's/= GetProcAddress(hdl, \"register_module\");/= reinterpret_cast<void*>(GetProcAddress(hdl, \"register_module\"));/' src/libixion/module.cpp" \
    autotools_build ixion --disable-python --disable-vulkan --with-boost="$prefix" \
    CPPFLAGS=-D_USE_MATH_DEFINES
}

build_orcus() {
  # The formats Sorvix reads (xlsx, ods; csv by its own parser): no tools, no
  # Python, no gnumeric (which would need Boost's iostreams). Its UTF-16
  # work-around is for MSVC's library, not the one of mingw-w64's GCC.
  autotools_prepare="sed -i 's/^#if defined(_WIN32)$/#if defined(_MSC_VER)/' src/parser/stream.cpp" \
    autotools_build orcus --disable-python --without-tools --without-gnumeric-filter \
    --disable-werror --with-boost="$prefix"
}

build_freexl() {
  # mingw-w64 has no iconv: a small one over Windows' code pages.
  local b=$work/build/iconv
  rm -rf "$b"
  cmake -S "$source_dir/packaging/windows/iconv" -B "$b" "${cmake_common[@]}"
  cmake --build "$b" && cmake --install "$b"
  autotools_build freexl CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
}

# cmake_part PART [ARGUMENTS...]: one CMake part configured, built and
# installed afresh, with the arguments after the common ones.
cmake_part() {
  local part=$1 src b=$work/build/$1
  shift
  src=$(src_of "$part")
  rm -rf "$b"
  cmake -S "$src" -B "$b" "${cmake_common[@]}" "$@"
  cmake --build "$b" --parallel "$jobs" && cmake --install "$b"
}

build_xlsxwriter() { cmake_part xlsxwriter -DZLIB_ROOT="$prefix"; }
build_qrencode() { cmake_part qrencode -DWITH_TOOLS=OFF -DWITH_TESTS=OFF; }
# Static: only the test programs link it.
build_googletest() { cmake_part googletest -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=ON; }

# The licences of what the Windows program ships, from each part's source
# (and Debian's copyright file), for the installer and the portable folder.
collect_licenses() {
  local p=$1 src to=$prefix/share/sorvix/licenses/$1
  rm -rf "$to" && mkdir -p "$to"
  if [ "$p" = zlib ]; then
    cp /usr/share/doc/libz-mingw-w64/copyright "$to/copyright"
    return 0
  fi
  src=$(src_of "$p")
  find "$src" -maxdepth 1 -type f \( -iname 'licen[cs]e*' -o -iname 'copying*' \) -exec cp {} "$to/" \;
  [ -d "$src/LICENSES" ] && cp -r "$src/LICENSES" "$to/"
  [ -e "$src/debian/copyright" ] && cp "$src/debian/copyright" "$to/debian-copyright"
  return 0
}

# pkg-config files that name the prefix in full beyond their prefix= line
# (libqrencode's) name it through ${prefix}: pkg-config's --define-prefix
# then finds an unpacked prefix wherever it is.
relocatable_pc_files() {
  local pc
  for pc in "$prefix"/lib/pkgconfig/*.pc "$prefix"/share/pkgconfig/*.pc; do
    [ -e "$pc" ] && sed -i "/^prefix=/!s|$prefix|\${prefix}|g" "$pc"
  done
  return 0
}

run_part() {
  local p=$1 start end
  if [ -n "${package[$p]:-}" ] && [ -z "$(src_of "$p")" ]; then
    if [[ "$optional_parts" == *" $p "* ]]; then
      echo "== $p: no source, left out (the phone remote needs it)"
      echo "unavailable" > "$marks/$p"
      return 0
    fi
    echo "$p: no source" >&2
    exit 1
  fi
  start=$(date +%s)
  echo "== $p ($(date +%H:%M:%S)), log: $work/logs/$p.log"
  # Not inside a condition, where the shell would ignore set -e.
  local status=0
  set +e
  ( set -e; "build_$p" ) > "$work/logs/$p.log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    tail -30 "$work/logs/$p.log"
    echo "$p failed; see $work/logs/$p.log" >&2
    exit 1
  fi
  end=$(date +%s)
  local src_version=""
  [ -n "${package[$p]:-}" ] && src_version="$(basename "$(src_of "$p")")"
  # Every DLL in bin/, where the program's DLLs are looked for (Boost and
  # libqrencode install theirs beside the import libraries).
  find "$prefix/lib" -maxdepth 1 -name '*.dll' -exec mv -t "$prefix/bin/" {} +
  relocatable_pc_files
  collect_licenses "$p"
  echo "${src_version:-debian binary} $((end - start))s" > "$marks/$p"
  echo "   $p built in $(( (end - start) / 60 )) min $(( (end - start) % 60 )) s"
}

if [ ${#todo[@]} -gt 0 ]; then
  fetch_sources "${todo[@]}"
  for p in "${todo[@]}"; do run_part "$p"; done
fi

if [ ${#only[@]} -eq 0 ]; then
  for p in "${parts[@]}"; do
    built "$p" || [ -e "$marks/$p" ] || { echo "$p is not built" >&2; exit 1; }
  done
  for p in "${parts[@]}"; do
    if built "$p" && [ ! -d "$prefix/share/sorvix/licenses/$p" ]; then collect_licenses "$p"; fi
  done
  relocatable_pc_files
  if [ ! -e "$archive" ] || [ -n "$(find "$marks" -newer "$archive")" ]; then
    echo "Packing $archive"
    tar -C "$prefix" --sort=name --owner=0 --group=0 --numeric-owner -cf - . \
      | xz -T"$jobs" -6 > "$archive.part"
    mv "$archive.part" "$archive"
  fi
  rm -rf "$work"
  echo "$prefix ($(du -sh "$prefix" | cut -f1)), packed: $archive ($(du -h "$archive" | cut -f1))"
fi
