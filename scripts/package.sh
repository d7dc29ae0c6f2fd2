#!/usr/bin/env bash
# Builds the Debian package dist/sorvix_<version>_<arch>.deb from a Release
# build in build-package/ (CPack's DEB generator; dependencies from
# dpkg-shlibdeps; the compiler's hardening flags from dpkg-buildflags), then
# checks it with lintian and the desktop entry and metainfo with their
# validators. Installs what it needs, like scripts/install-deps.sh.
# Usage: scripts/package.sh   (fails on lintian errors or warnings and on
# the validators' errors)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/install-deps.sh dpkg-dev file lintian desktop-file-utils appstream

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Release optimisation over Debian's hardening flags (stack protector, fortify, relro, now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVIX_PACKAGE=ON \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "${launcher[@]}" >/dev/null
cmake --build build-package --target Sorvix package_files
rm -f dist/sorvix_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls dist/sorvix_*.deb)

echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
status=0
echo "== desktop-file-validate"
desktop-file-validate packaging/org.sorvix.Sorvix.desktop || status=1
echo "== appstreamcli validate"
appstreamcli validate --no-net build-package/packaging/org.sorvix.Sorvix.metainfo.xml || status=1
echo "== lintian (errors and warnings fail the package; info tags are listed)"
lintian --display-info "$deb" | tee build-package/lintian.txt || true
grep -qE '^[EW]: ' build-package/lintian.txt && status=1
[ $status -eq 0 ] || { echo "the package has findings"; exit 1; }
echo "$deb"
