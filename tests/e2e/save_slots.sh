#!/bin/sh
# A new game in slot 1 through the real menus, paused and left for the main menu,
# leaves the exact save file; loading slot 1 brings the game back.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
SAVE="$WORK/data/saves/01/save.sv"
MAP_LINE=" -- Chargement de la map : data\\maps\\01_USB\\01_USB.zi"

start_new_game
wait_for_line "$MAP_LINE"
[ ! -e "$SAVE" ] || fail "a save was written before the game had a map"

# A few steps to the right with the real keyboard, then the pause menu.
xdotool keydown --window "$WINDOW" d
sleep 0.4
xdotool keyup --window "$WINDOW" d
key Escape
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\pausemenu\\background.png"
click_picture data/graphics/window/pausemenu/menu.png 190 410
wait_for_line " -*- Destruction de l'item : data\\graphics\\window\\pausemenu\\background.png"

wait_until 10 "no save file after leaving the game" test -e "$SAVE"
printf '[Map]\n01_USB\n[Player]\n0 0.5 0' | cmp -s - "$SAVE" || fail "unexpected save file: $(cat "$SAVE")"

# Load slot 1: the game comes back on its map.
click_picture data/graphics/window/mainmenu/charger.png 228 289
wait_for_line " -- Loading Menu : Slot 1 present"
click_picture data/graphics/map/01_USB/mapIcon.png 348 212
wait_for_count "$MAP_LINE" 2

key F12
wait_for_exit
printf '[Map]\n01_USB\n[Player]\n0 0.5 0' | cmp -s - "$SAVE" || fail "the save changed on quitting"
echo "save slots: ok"
