# Sourced by demo.sh and bench.sh: lays out the example disc as an author burns it.
#   lay_out_example_disc DEST plain|skinned BUILD_FOLDER
# DEST gets examples/disc (with examples/disc/skinned laid over it for "skinned"), and
# autostart.exe and checks/screencheck.dll from BUILD_FOLDER/bin.
lay_out_example_disc() {
    local dest=$1 variant=$2 from=$3
    local examples
    examples="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/examples/disc"
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    cp -r "$examples" "$dest"
    rm -rf "$dest/skinned"
    if [ "$variant" = skinned ]; then
        cp -r "$examples/skinned/." "$dest/"
        rm -f "$dest/make-bitmaps.sh"
    fi
    cp "$from/bin/autostart.exe" "$dest/"
    mkdir -p "$dest/checks"
    cp "$from/bin/screencheck.dll" "$dest/checks/"
}
