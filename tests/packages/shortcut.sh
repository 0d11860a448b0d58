# shellcheck shell=bash
# Reads a Windows shortcut (.lnk, the Shell Link format) as Explorer does,
# without Windows: sourced by check-windows-installer.sh.
#
#   shortcut_fields FILE
#       prints target=PATH, folder=PATH (the working folder), arguments=...,
#       icon=PATH and description=..., one a line; only the fields it holds.

# The little-endian numbers at byte $2 of file $1.
shortcut_u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
shortcut_u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# The zero-ended 8-bit string at byte $2 of file $1.
shortcut_ansi() { tail -c +$(($2 + 1)) "$1" | tr '\0' '\n' | head -n1; }

shortcut_fields() {
    local file=$1 flags at size info_at base suffix
    [[ $(shortcut_u32 "$file" 0) == 76 ]] || { echo "not a shortcut: $file" >&2; return 1; }
    flags=$(shortcut_u32 "$file" 20)
    at=76
    # The target as a list of shell items, which the path below also gives.
    ((flags & 0x1)) && at=$((at + 2 + $(shortcut_u16 "$file" "$at")))
    if ((flags & 0x2)); then
        # The link info: the target's path on its volume, plus a suffix.
        info_at=$at
        if (($(shortcut_u32 "$file" $((info_at + 8))) & 0x1)); then
            base=$(shortcut_ansi "$file" $((info_at + $(shortcut_u32 "$file" $((info_at + 16))))))
            suffix=$(shortcut_ansi "$file" $((info_at + $(shortcut_u32 "$file" $((info_at + 24))))))
            echo "target=$base$suffix"
        fi
        at=$((info_at + $(shortcut_u32 "$file" "$info_at")))
    fi
    # Then the strings each flag announces, in this order, each a count of
    # characters and the characters (UTF-16 when the shortcut says so); Wine
    # counts a closing zero too.
    local name unit=1 bit
    ((flags & 0x80)) && unit=2
    for bit in description:0x4 relative:0x8 folder:0x10 arguments:0x20 icon:0x40; do
        ((flags & ${bit#*:})) || continue
        name=${bit%:*}
        size=$(($(shortcut_u16 "$file" "$at") * unit))
        if ((unit == 2)); then
            echo "$name=$(tail -c +$((at + 3)) "$file" | head -c "$size" | iconv -f UTF-16LE -t UTF-8 | tr -d '\0')"
        else
            echo "$name=$(tail -c +$((at + 3)) "$file" | head -c "$size" | tr -d '\0')"
        fi
        at=$((at + 2 + size))
    done
}
