#!/bin/sh
# Prints the radio port stored in Vantelo's settings (key CommPort of the group [Properties])
# and exits 0; prints nothing and exits 1 when no port is stored. Reads the file Vantelo reads:
# $XDG_CONFIG_HOME/Vantelo/Vantelo.conf (~/.config without XDG_CONFIG_HOME), or Vantelo.ini of
# an earlier version while that is the only one, whose values Vantelo carries over on its start.
set -eu
dir="${XDG_CONFIG_HOME:-$HOME/.config}/Vantelo"
file="$dir/Vantelo.conf"
[ -f "$file" ] || file="$dir/Vantelo.ini"
[ -f "$file" ] || exit 1
port=$(awk '
    function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
    { sub(/\r$/, "") }
    /^[ \t]*[;#]/ { next }
    /^[ \t]*\[/ { section = trim($0); gsub(/^\[|\]$/, "", section); next }
    section == "Properties" && $0 ~ /^[ \t]*CommPort[ \t]*=/ {
        value = trim(substr($0, index($0, "=") + 1))
        if (substr(value, 1, 1) == "\"") {
            # Quoted: the text up to the closing quote, with \" and \\ unescaped.
            rest = substr(value, 2); value = ""
            while (rest != "") {
                c = substr(rest, 1, 1)
                if (c == "\"") break
                if (c == "\\") { rest = substr(rest, 2); c = substr(rest, 1, 1) }
                value = value c; rest = substr(rest, 2)
            }
        } else {
            # Unquoted: a comment ends it; a list split at commas is read whole.
            sub(/;.*/, "", value)
            n = split(value, parts, ",")
            value = trim(parts[1])
            for (i = 2; i <= n; i++) value = value "," trim(parts[i])
        }
        found = value
    }
    END { if (found != "") print found }
' "$file")
[ -n "$port" ] || exit 1
printf '%s\n' "$port"
