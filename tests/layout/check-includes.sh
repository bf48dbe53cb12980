#!/bin/sh
# Checks that the folders' includes run one way: src/core (everything without widgets) includes
# nothing from src/ui or src/sim and no Qt Widgets or Gui header; src/sim nothing from src/ui;
# tests/core and tests/sim nothing from src/ui; and no folder of src includes from a folder that
# (directly or through others) includes it. Every quoted include names its file from the src or
# tests root.
#   check-includes.sh SOURCE_DIR [QT_INCLUDE_DIRS]
# QT_INCLUDE_DIRS: folders separated by ";" (a CMake list), one of them holding QtWidgets/.
set -eu
root=$1
qt=""
old_ifs=$IFS; IFS=';'
for d in ${2:-}; do [ -d "$d/QtWidgets" ] && qt=$d; done
IFS=$old_ifs
cd "$root"
# The widget-free libraries link Qt Core, Sql, SerialPort and Network only.
if grep -n 'Qt6::\(Gui\|Widgets\)' $(find src/core src/sim -name CMakeLists.txt); then
    echo "a library under src/core or src/sim links Qt Gui or Widgets"
    exit 1
fi
# The Qt headers that only a window may use.
forbidden_qt=$(mktemp)
trap 'rm -f "$forbidden_qt"' EXIT
if [ -n "$qt" ]; then
    for module in QtWidgets QtGui; do
        [ -d "$qt/$module" ] && ls "$qt/$module"
    done > "$forbidden_qt"
fi
find src tests -name '*.h' -o -name '*.cpp' | sort | while read -r file; do
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file" |
        while read -r inc; do printf '%s\t%s\n' "$file" "$inc"; done
done | awk -F '\t' -v forbidden="$forbidden_qt" '
function dir(path) { sub(/\/[^\/]*$/, "", path); return path }
function problem(text) { print text; failed = 1 }
BEGIN { while ((getline name < forbidden) > 0) widget[name] = 1 }
{
    file = $1; inc = $2; name = substr(inc, 2, length(inc) - 2)
    from = dir(file)
    core = file ~ /^(src|tests)\/(core|sim)\//
    if (inc ~ /^</) {
        if (core && (name in widget))
            problem(file ": includes <" name ">, a widget header, below the windows")
        next
    }
    if (name ~ /\.moc$/)
        next
    if (name !~ /\//) {
        problem(file ": includes \"" name "\" without its folder from the src or tests root")
        next
    }
    if (system("test -f src/" name " || test -f tests/" name) != 0) {
        problem(file ": includes \"" name "\", which is neither under src nor under tests")
        next
    }
    to = dir(name)
    if (file ~ /^src\/core\// && to ~ /^(ui|sim)(\/|$)/)
        problem(file ": includes \"" name "\"; src/core may include only from src/core")
    if (file ~ /^(src|tests)\/sim\// && to ~ /^ui(\/|$)/)
        problem(file ": includes \"" name "\"; src/sim may not include from src/ui")
    if (file ~ /^tests\/core\// && to ~ /^ui(\/|$)/)
        problem(file ": includes \"" name "\"; tests of src/core may not include from src/ui")
    if (file ~ /^src\// && system("test -f src/" name) == 0) {
        a = substr(from, 5)
        if (a != to && !((a, to) in edge)) {
            edge[a, to] = file
            node[a] = 1; node[to] = 1
        }
    }
}
END {
    # Which folder reaches which through includes, and whether any reaches itself.
    for (a in node) for (b in node) reach[a, b] = ((a, b) in edge)
    for (k in node) for (a in node) if (reach[a, k]) for (b in node) if (reach[k, b]) reach[a, b] = 1
    for (pair in edge) {
        split(pair, ab, SUBSEP)
        if (reach[ab[2], ab[1]])
            problem("src/" ab[1] " includes from src/" ab[2] " (" edge[pair] "), which includes from src/" ab[1] " in turn")
    }
    n = 0; for (pair in edge) n++
    if (failed) exit 1
    print "includes run one way: " n " folder-to-folder include paths, none upward"
}'
