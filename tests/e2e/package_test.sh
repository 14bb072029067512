#!/usr/bin/env bash
# The Debian package as a distribution would take it: built with cpack into a
# folder of its own, then lintian (no error, no warning), the AppStream data
# through appstreamcli, and the files a user looks for: the three programs,
# their manual pages, the copyright file and the changelog.
#
# usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
for tool in cpack lintian appstreamcli dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 0; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for f in ./usr/bin/veltrix ./usr/bin/veltrix-report ./usr/bin/veltrix-capture \
         ./usr/share/man/man1/veltrix.1.gz ./usr/share/man/man1/veltrix-report.1.gz \
         ./usr/share/man/man1/veltrix-capture.1.gz ./usr/share/doc/veltrix/copyright \
         ./usr/share/doc/veltrix/changelog.gz ./usr/share/metainfo/org.example.veltrix.metainfo.xml \
         ./usr/share/doc/veltrix/report.schema.json ./usr/share/doc/veltrix/fleet/veltrix-inventory.yml \
         ./usr/share/applications/veltrix.desktop; do
  grep -qx "$f" "$work/contents" || { echo "missing from the package: $f"; exit 1; }
done

depends=$(dpkg-deb -f "$deb" Depends)
for dep in fonts-liberation qt6-qpa-plugins qt6-translations-l10n; do
  grep -qw "$dep" <<<"$depends" || { echo "the package does not depend on $dep: $depends"; exit 1; }
done

# Each tag lintian may still give is listed with its reason in docs/packaging.md.
lintian --no-tag-display-limit --suppress-tags-from-file "$source/packaging/lintian-overrides.txt" "$deb" \
  >"$work/lintian.txt" 2>&1 || true
if grep -E '^(E|W): ' "$work/lintian.txt"; then
  echo "lintian found errors or warnings (above)"; exit 1
fi
cat "$work/lintian.txt"

appstreamcli validate --no-net "$source/app/resources/org.example.veltrix.metainfo.xml"
echo "the package passes lintian and carries its manual pages, copyright and changelog"
