# A Wine of a script's own, kept in one scratch folder: its prefix, HOME (menu
# entries) and XDG_RUNTIME_DIR (the sound client's links), so that nothing of
# it outlives the run and the user's own Wine is never touched.
#   . tools/private_wine.sh
#   private_wine FOLDER        (then wineboot -i makes the prefix)
#   private_wine_end FOLDER    (however the run ends)
private_wine() {
    export WINEPREFIX=$1/prefix HOME=$1 XDG_RUNTIME_DIR=$1/run WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset TMPDIR   # Debian's Wine 10 aborts with it set ("free(): invalid pointer")
    mkdir -p -m 700 "$WINEPREFIX" "$XDG_RUNTIME_DIR"
}

# Stops the folder's Wine server and removes the server's own folder, which
# Debian's Wine keeps in /run/user/UID/wine (named after the prefix's device
# and inode), or else in a folder of /tmp that it names in the prefix.
private_wine_end() {
    local name="" dev ino
    [ -d "$1/prefix" ] || return 0
    WINEPREFIX=$1/prefix wineserver -k 2>/dev/null || true
    name=$(cat "$1/prefix/wineserver" 2>/dev/null) || true
    read -r dev ino <<<"$(stat -c '%d %i' "$1/prefix")"
    if [[ $name =~ ^wine-[[:alnum:]]+$ ]]; then
        rm -rf "/tmp/$name"
    else
        rm -rf "/run/user/$(id -u)/wine/$(printf 'server-%x-%x' "$dev" "$ino")"
    fi
}
