#!/usr/bin/env bash
# Makes the two Windows downloads from the portable folder STAGE (the
# programs, their DLLs and plug-in folders):
#   DIST/rz-v70-writer-VERSION-portable.zip  one folder, rz-v70-writer-VERSION/
#   DIST/rz-v70-writer-VERSION-setup.exe     the installer (rz-v70-writer.nsi)
# and prints their paths. It writes nothing outside DIST but a temporary
# folder that it removes.
#
#   dist/windows/package.sh STAGE DIST VERSION
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 STAGE DIST VERSION" >&2
  exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stage=$(cd "$1" && pwd)
dist=$(realpath -m "$2")
version=$3
name="rz-v70-writer-$version"

if [ ! -f "$stage/rz-v70-writer.exe" ]; then
  echo "package.sh: $stage has no rz-v70-writer.exe" >&2
  exit 1
fi
case "$dist/" in
  "$stage"/*) echo "package.sh: DIST must not lie inside STAGE" >&2; exit 1 ;;
esac
mkdir -p "$dist"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The zip: one folder named after the version, the files in a fixed order
# and with no extra attributes, so that one STAGE gives one zip.
mkdir "$tmp/zip"
cp -a "$stage" "$tmp/zip/$name"
zip_out="$dist/$name-portable.zip"
rm -f "$zip_out"
(cd "$tmp/zip" && find "$name" | LC_ALL=C sort | zip -q -X -9 -@ "$zip_out")

# The installer; makensis keeps its temporary files in our folder.
setup_out="$dist/$name-setup.exe"
rm -f "$setup_out"
TMPDIR="$tmp" makensis -V2 \
  "-DVERSION=$version" "-DSTAGE=$stage" "-DOUTFILE=$setup_out" \
  "$here/rz-v70-writer.nsi"

echo "$zip_out"
echo "$setup_out"
