# shellcheck shell=bash
# A package under test installed with apt-get as a user installs it, and removed
# again with exactly what it brought along, so that the machine is left as it
# was. Sourced by check-deb.sh and check-python-deb.sh, which set $work (a
# scratch folder) and define fail.
#   take_turn NAME        waits for the lock of the package checks (two test runs
#                         on one machine take turns) and refuses to go on where NAME
#                         is installed already (it would be replaced); from here the
#                         EXIT trap removes $work, and the package once installed
#   lintian_clean DEB     Debian's own checks: no error and no warning ($lintian_said)
#   note_brought DEB      what installing DEB will bring besides its package
#   install_package DEB   installs it
#   purge_package         removes it and what it brought now
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -qq)
[[ $(id -u) -eq 0 ]] || apt=(sudo "${apt[@]}")
package_under_test=
brought=()
installed=

take_turn() {
    package_under_test=$1
    exec 9>"${TMPDIR:-/tmp}/lurkfield-package-check.lock"
    flock -w 900 9 || fail "another package check held the lock for 15 minutes"
    ! dpkg-query -W -f='${Status}' "$package_under_test" 2>/dev/null | grep -q 'ok installed' ||
        fail "$package_under_test is installed on this machine already; remove it first (apt-get purge $package_under_test)"
    trap cleanup EXIT
}

# An override would be in the package, usr/share/lintian/overrides/NAME, with the reason beside it.
lintian_clean() {
    lintian --fail-on error,warning --display-info --tag-display-limit 0 "$1" >"$work/lintian.txt" \
        2>"$work/lintian.err" && ! grep -q '^[EW]: ' "$work/lintian.txt" ||
        { cat "$work/lintian.txt" "$work/lintian.err" >&2; fail "lintian finds errors or warnings in $1"; }
    lintian_said="lintian $(lintian --print-version): 0 errors, 0 warnings,"
    lintian_said+=" $(grep -c '^I: ' "$work/lintian.txt" || true) information tags"
}

note_brought() {
    mapfile -t brought < <(LC_ALL=C "${apt[@]}" -s install "$1" |
        awk -v name="$package_under_test" '/^Inst / && $2 != name { print $2 }')
}

install_package() {
    installed=1
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$1" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log" >&2; fail "apt-get install $1"; }
}

# Purges the package and what it brought, unless something installed meanwhile
# needs one of those (apt would remove that too): then only the package goes.
purge_package() {
    local going=("$package_under_test" "${brought[@]}") extra
    installed=
    extra=$(LC_ALL=C "${apt[@]}" -s purge "${going[@]}" | awk '/^Purg / { print $2 }' |
        grep -vxF -f <(printf '%s\n' "${going[@]}") || true)
    if [[ -n $extra ]]; then
        echo "NOTE (package): $(echo $extra) now need what $package_under_test brought; only $package_under_test is removed" >&2
        going=("$package_under_test")
    fi
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge "${going[@]}" >"$work/purge.log" 2>&1 ||
        { cat "$work/purge.log" >&2; return 1; }
}

cleanup() {
    local rc=$?
    trap - EXIT
    set +e
    if [[ -n $installed ]]; then
        purge_package || { echo "FAILED (package): apt-get purge $package_under_test" >&2; rc=1; }
    fi
    rm -rf "$work"
    exit "$rc"
}
