#!/usr/bin/env bash
# check_packages.sh BUILD_DIR PACKAGE...
#
# Checks that every CMake package the configured build in BUILD_DIR read (the
# absolute `<Name>_DIR:PATH=` entries of its CMakeCache.txt that hold a
# <Name>Config.cmake or <name>-config.cmake) comes from a Debian package that
# one of PACKAGE... is or pulls in (their Depends and Pre-Depends, followed
# all the way). A build that reads a file no listed package brings works here
# only because someone installed it by hand, and fails to configure on a
# clean machine.
#
# Exit status: 0 when every such file is accounted for; 1 naming each
# unlisted Debian package with the CMake variable that read it; 2 on a usage
# error; 77 where dpkg or apt-cache is missing (not a Debian system).
# The dependency closure of the list is kept in BUILD_DIR/.package-closure/,
# keyed by the list and the state of apt's and dpkg's databases.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR PACKAGE..." >&2
  exit 2
fi
build="$1"; shift
cache_file="$build/CMakeCache.txt"
if [ ! -f "$cache_file" ]; then
  echo "check_packages: no $cache_file: configure the build first" >&2
  exit 2
fi
if ! command -v dpkg >/dev/null 2>&1 || ! command -v apt-cache >/dev/null 2>&1; then
  echo "check_packages: SKIP: dpkg or apt-cache missing, the packages cannot be checked"
  exit 77
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_abs="$(cd "$build" && pwd)"

# --- The Debian packages the list installs: the list and all it depends on.
closure_of() {  # PACKAGE... -> one name a line, sorted
  {
    printf '%s\n' "$@"
    # Lines are "name", "  Depends: name", " |Depends: <virtual>", "    provider";
    # keep the names, without an architecture.
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
      --no-breaks --no-replaces --no-enhances "$@" 2>/dev/null |
      sed -E 's/^ *\|?((Pre)?Depends: )?<?([^ >:]+)(:[a-z0-9]+)?>?$/\3/' | grep -v ' ' || true
  } | sort -u
}
key="$(
  {
    printf '%s\n' "$@" | sort -u
    stat -c '%n %Y %s' /var/lib/dpkg/status /var/lib/apt/lists/*_Packages* 2>/dev/null || true
  } | sha256sum | cut -c1-16
)"
closure_dir="$build/.package-closure"
closure="$closure_dir/$key"
if [ ! -s "$closure" ]; then
  mkdir -p "$closure_dir"
  closure_of "$@" >"$closure.tmp.$$"
  mv -f "$closure.tmp.$$" "$closure"
fi

# --- The CMake package files the build read, each with its variable.
variables=()
files=()
while IFS='=' read -r entry dir; do
  variable="${entry%%:*}"
  name="${variable%_DIR}"
  case "$dir" in "$root"/* | "$build_abs"/*) continue ;; esac
  lower="$(printf '%s' "$name" | tr '[:upper:]' '[:lower:]')"
  for file in "$dir/${name}Config.cmake" "$dir/${lower}-config.cmake"; do
    if [ -f "$file" ]; then
      variables+=("$variable")
      files+=("$file")
      break
    fi
  done
done < <(grep -E '^[A-Za-z0-9_.+-]+_DIR:PATH=/' "$cache_file" || true)
[ ${#files[@]} -eq 0 ] && exit 0

# --- Which Debian package each file belongs to (one dpkg call for them all):
# "pkg[:arch][, pkg2[:arch]...]: /path".
owners_of() {  # FILE -> owners, one a line; nothing when no package has it
  local file="$1"
  # usrmerge: dpkg may have recorded the file under /lib rather than /usr/lib.
  printf '%s\n' "$owners" | awk -v f="$file" -v g="${file#/usr}" '
    { i = index($0, ": "); path = substr($0, i + 2) }
    path == f || path == g { print substr($0, 1, i - 1) }' |
    tr ',' '\n' | sed -E 's/^ +//; s/:[a-z0-9]+$//' | sed '/^$/d'
}
lookup=("${files[@]}")
for file in "${files[@]}"; do lookup+=("${file#/usr}"); done
owners="$(dpkg -S "${lookup[@]}" 2>/dev/null || true)"

problems=()
for i in "${!files[@]}"; do
  found="$(owners_of "${files[$i]}")"
  if [ -z "$found" ]; then
    problems+=("${variables[$i]}: ${files[$i]} belongs to no Debian package")
    continue
  fi
  if ! grep -qxF -f <(printf '%s\n' "$found") "$closure"; then
    problems+=("${variables[$i]}: ${files[$i]} is in $(printf '%s' "$found" | paste -sd ' ' -), which no package list installs")
  fi
done
[ ${#problems[@]} -eq 0 ] && exit 0

echo "check_packages: the build in $build reads CMake packages that the package lists leave out:" >&2
printf '  %s\n' "${problems[@]}" >&2
echo "Add the package to the lists in scripts/common.sh: a clean machine that installs only them fails to configure." >&2
exit 1
