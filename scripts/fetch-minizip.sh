#!/usr/bin/env bash
# Fetches Debian's minizip source package into DEST (default build/_deps/minizip)
# for the Windows build. The deb-src entry is derived from the system's own
# Debian source list and kept in a private apt state directory, so the
# system's apt configuration is never changed.
set -euo pipefail
dest=${1:-"$(cd "$(dirname "$0")/.." && pwd)/build/_deps/minizip"}
if [[ -f "$dest/unzip.c" ]]; then exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/src"

# Take the first Debian entry (URI, suite, keyring) of the system's sources.
uri="" suite="" keyring=""
for f in /etc/apt/sources.list.d/*.sources; do
  [[ -f $f ]] || continue
  uri=$(awk '/^URIs:/{print $2; exit}' "$f")
  suite=$(awk '/^Suites:/{print $2; exit}' "$f")
  keyring=$(awk '/^Signed-By:/{print $2; exit}' "$f")
  [[ -n $uri ]] && break
done
if [[ -z $uri && -f /etc/apt/sources.list ]]; then
  read -r uri suite < <(awk '$1=="deb"{print $2, $3; exit}' /etc/apt/sources.list)
fi
[[ -n $uri && -n $suite ]] || { echo "fetch-minizip: no Debian source found" >&2; exit 1; }

{
  echo "Types: deb-src"
  echo "URIs: $uri"
  echo "Suites: $suite"
  echo "Components: main"
  [[ -n $keyring ]] && echo "Signed-By: $keyring"
} > "$work/minizip.sources"

opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/parts"
      -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")
mkdir -p "$work/parts" && cp "$work/minizip.sources" "$work/parts/"
apt-get "${opts[@]}" update -qq
(cd "$work/src" && apt-get "${opts[@]}" source -qq minizip >/dev/null)

srcdir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d | head -n 1)
# Filled beside the destination and renamed into place, so that a build
# configuring at the same time never sees half the files.
mkdir -p "$(dirname "$dest")"
stage=$(mktemp -d "$dest.XXXXXX")
cp "$srcdir"/{unzip.c,unzip.h,ioapi.c,ioapi.h,iowin32.c,iowin32.h,crypt.h} "$stage"/
cp "$srcdir"/debian/copyright "$stage"/ 2>/dev/null || true
chmod 755 "$stage"
if ! mv -T "$stage" "$dest" 2>/dev/null; then
  rm -rf "$stage"
  [[ -f "$dest/unzip.c" ]] || { echo "fetch-minizip: could not fill $dest" >&2; exit 1; }
fi
echo "minizip sources in $dest"
