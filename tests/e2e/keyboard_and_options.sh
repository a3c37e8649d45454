#!/bin/sh
# A player without a mouse: a new game with the arrows and Return, a walk with the Right
# arrow into the exit, the music set to 50 % in the options, then quit and start again:
# the music is still at 50 %.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
OPTIONS="$WORK/data/saves/options.cfg"
OPTIONS_SCREEN=" -- Chargement de l'image : data\\graphics\\window\\options\\background.png"
# The main menu's Options button comes with its first drawing: then the keys can walk to it.
MENU_SHOWN=" -- Chargement de l'image : data\\graphics\\window\\options\\bouton.png"

# The entry on the left, the exit on the floor to its right.
write_map 01_USB <<'MAP'
[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled
[CurrentLevelVortex] 2 100 396
[NextLevelVortex] 3 600 396 02_BUS
MAP

# Keys go to the game window one after the other, with time for a frame in between.
press() {
    for name in "$@"; do
        key "$name"
        sleep 0.15
    done
}
# The value written in the music row of the options screen, once two frames in a row
# show the same (the game may not have drawn the last change yet).
music_value() {
    deadline=$(($(date +%s) + 10))
    convert -size 210x34 xc:none "$1"
    while :; do
        screenshot "$WORK/options.png"
        convert "$WORK/options.png" -crop 210x34+590+112 +repage "$WORK/value.png"
        [ "$(compare -metric AE "$1" "$WORK/value.png" null: 2>&1)" = 0 ] && return
        [ "$(date +%s)" -lt "$deadline" ] || fail "the options screen never settled"
        cp "$WORK/value.png" "$1"
        sleep 0.2
    done
}

start_game
wait_for_line " -*- Options absentes, options par defaut : data\\saves\\options.cfg"
wait_for_line "$MENU_SHOWN"
press Down Return
wait_for_line " -*- Loading Menu : Slot 3 non present"
press Down Return
wait_for_line " -- Chargement de la map : data\\maps\\01_USB\\01_USB.zi"

hold_until Right " -- Chargement de l'image : data\\graphics\\window\\mapInterlude.png"
sleep 0.7 # the transfer screen holds for half a second
press space
wait_for_line " -- Chargement de la map : data\\maps\\02_BUS\\02_BUS.zi"

# Options from the pause menu: its buttons are walked down to Commandes, then right.
press Escape
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\pausemenu\\background.png"
press Down Down Down Right Return
wait_for_line "$OPTIONS_SCREEN"
press Down Left Left Left Left Left
deadline=$(($(date +%s) + 10))
until grep -qxF '[VolumeMusique] 50' "$OPTIONS" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the music at 50 % was not kept: $(cat "$OPTIONS" 2>/dev/null)"
    sleep 0.1
done
music_value "$WORK/before.png"

# Back to the game, then to the main menu, and Quitter, all from the keyboard. Back from a
# game the main menu has no button chosen: Quitter is the third step down.
PAUSE_GONE=" -*- Destruction de l'item : data\\graphics\\window\\pausemenu\\background.png"
press Escape Escape
wait_for_count "$PAUSE_GONE" 1
press Escape Down Down Return
wait_for_count "$PAUSE_GONE" 2
press Down Down Down Return
wait_for_exit
grep -qxF '[Map]' "$WORK/data/saves/01/save.sv" || fail "no save after leaving the game"

# Started again: the options are read back and the screen shows 50 %.
start_game
wait_for_line " -- Chargement des options : data\\saves\\options.cfg"
wait_for_line "$MENU_SHOWN"
press Down Up Right Return
wait_for_line "$OPTIONS_SCREEN"
music_value "$WORK/after.png"
[ "$(compare -metric AE "$WORK/before.png" "$WORK/after.png" null: 2>&1)" = 0 ] ||
    fail "the options screen shows another music volume after a restart"
grep -qxF '[VolumeMusique] 50' "$OPTIONS" || fail "the options file changed"
key F12
wait_for_exit
echo "keyboard and options: ok"
