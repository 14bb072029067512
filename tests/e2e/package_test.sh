#!/usr/bin/env bash
# The Debian package as a packager makes it: the Release tree that ./run.sh
# builds (scripts/build-programs.sh: build-release/ beside the sources, made
# or brought up to date here, as ./run.sh would),
# installed into a DESTDIR with the README's install command, then packed
# with cpack into a folder of its own; lintian (no error, no warning, also
# pedantic, and none of the hardening tags), the dependency fields, the
# AppStream data through appstreamcli, and the files a user looks for: the
# three programs, their manual pages, the copyright file and the changelog.
#
# usage: package_test.sh SOURCE_DIR
set -euo pipefail
source=$(realpath "$1")
for tool in cpack lintian appstreamcli dpkg-deb scdoc; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 0; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$source/build-release

# The tree ./run.sh builds, and a packager's install of it.
"$source/scripts/build-programs.sh" "$tree" >"$work/build.log" 2>&1 || { tail -50 "$work/build.log"; exit 1; }
# Installed as it is, before anything else builds in it: the install needs
# nothing ./run.sh did not build (the manual pages, the changelog).
DESTDIR="$work/run-install" cmake --install "$tree" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
# The README's steps for packagers, as written there, on that tree.
sed -n '/^    cmake -S \. -B build-release /,/^    DESTDIR=/p' "$source/README.md" | sed 's/^    //' >"$work/packager.sh"
[ "$(wc -l <"$work/packager.sh")" -eq 3 ] || { echo "the README's packager steps:"; cat "$work/packager.sh"; exit 1; }
(cd "$source" && pkgdir=$work/staging bash -eu "$work/packager.sh") >"$work/install.log" 2>&1 ||
  { cat "$work/packager.sh" "$work/install.log"; exit 1; }
for f in bin/veltrix bin/veltrix-report bin/veltrix-capture share/man/man1/veltrix-report.1.gz \
         share/doc/veltrix/changelog.gz share/doc/veltrix/report.schema.json; do
  [ -e "$work/staging/usr/$f" ] || { echo "missing from the DESTDIR install: /usr/$f"; exit 1; }
done
"$work/staging/usr/bin/veltrix-report" --version >/dev/null

# The maintainer is the packager, as Debian's tools take it.
DEBFULLNAME="Package Test" DEBEMAIL="package-test@example.org" \
  cpack --config "$tree/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
echo "package: $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Package Test <package-test@example.org>" ] ||
  { echo "Maintainer: $(dpkg-deb -f "$deb" Maintainer)"; exit 1; }
[ -z "$(dpkg-deb -f "$deb" Homepage)" ] || { echo "a Homepage the project does not have"; exit 1; }
dpkg-deb -f "$deb" Description | grep -q "in Dutch" || { echo "the description does not say the window is Dutch"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for f in ./usr/bin/veltrix ./usr/bin/veltrix-report ./usr/bin/veltrix-capture \
         ./usr/share/man/man1/veltrix.1.gz ./usr/share/man/man1/veltrix-report.1.gz \
         ./usr/share/man/man1/veltrix-capture.1.gz ./usr/share/doc/veltrix/copyright \
         ./usr/share/doc/veltrix/changelog.gz ./usr/share/metainfo/invalid.veltrix.veltrix.metainfo.xml \
         ./usr/share/doc/veltrix/report.schema.json ./usr/share/doc/veltrix/fleet/veltrix-inventory.yml \
         ./usr/share/doc/veltrix/changes.schema.json ./usr/share/doc/veltrix/fleet/veltrix-changes.yml \
         ./usr/share/applications/veltrix.desktop; do
  grep -qx "$f" "$work/contents" || { echo "missing from the package: $f"; exit 1; }
done

# Depends: the font, the X11 platform plugin, Qt's Dutch texts; Recommends:
# the device names and the Wayland platform plugin.
depends=$(dpkg-deb -f "$deb" Depends) recommends=$(dpkg-deb -f "$deb" Recommends)
for dep in fonts-liberation qt6-qpa-plugins qt6-translations-l10n libqt6widgets6; do
  grep -qw "$dep" <<<"$depends" || { echo "the package does not depend on $dep: $depends"; exit 1; }
done
for dep in hwdata qt6-wayland; do
  grep -qw "$dep" <<<"$recommends" || { echo "the package does not recommend $dep: $recommends"; exit 1; }
done

# Tags lintian may still give are listed with their reasons in
# packaging/lintian-overrides.txt; none of them may be an error or a warning.
lintian --pedantic --info --tag-display-limit 0 \
  --suppress-tags-from-file "$source/packaging/lintian-overrides.txt" "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
if grep -E '^(E|W): ' "$work/lintian.txt"; then
  echo "lintian found errors or warnings (above)"; exit 1
fi
if grep -E 'hardening-no-(bindnow|fortify-functions|relro|pie)' "$work/lintian.txt"; then
  echo "the programs are not built hardened (above)"; exit 1
fi

# The AppStream data: the plain check and the pedantic one, neither reaching
# out to the network (the file names no address; a check that tries one
# anyway depends on the network's mood, not on the file).
metainfo=$work/staging/usr/share/metainfo/invalid.veltrix.veltrix.metainfo.xml
appstreamcli validate --no-net "$metainfo"
appstreamcli validate --no-net --pedantic "$metainfo"
echo "the package passes lintian and carries its manual pages, copyright and changelog"
