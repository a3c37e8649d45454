#!/bin/sh
# What a new player met: one click that wiped a save, a restart that left the character
# upside down, and a held walk key that skipped the transfer screen.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
SLOT1="$WORK/data/saves/01/save.sv"
SAVED='[Map]
02_BUS
[Player]
1 0.25 1'
MAP_LINE=" -- Chargement de la map : data\\maps\\01_USB\\01_USB.zi"

# Floor and ceiling, the entry in the air, the exit on the floor to the right; gravity
# reversal is granted as the map starts.
write_map 01_USB <<'MAP'
[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled
[GroundEntity] 2 0 0 Sprite plafond.png HitboxSpriteFilled
[CurrentLevelVortex] 3 300 200
[ScriptedEntity] 4 0 0 data\maps\01_USB\gravite.txt Sprite decoLed.png
[NextLevelVortex] 5 900 396 02_BUS
MAP
printf '[TypeDeclenchement] OnMapLoading\n[IsSolid] 0\n[PlayerCanToggleGravity] 1\n' >"$WORK/data/maps/01_USB/gravite.txt"
printf '%s' "$SAVED" >"$SLOT1"

# Share of lit pixels where the character stands: on the floor, or on the ceiling.
lit_share() {
    convert "$1" -crop "$2" +repage -fx '(r+g+b>0.3)?1:0' -format '%[fx:mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# Waits until the character stands on the floor or on the ceiling (and nowhere else), or fails.
wait_to_stand_on() {
    case "$1" in
    floor) here=40x56+310+402 there=40x56+310+22 ;;
    *) here=40x56+310+22 there=40x56+310+402 ;;
    esac
    deadline=$(deadline_in 20)
    while :; do
        screenshot "$WORK/pose.png"
        above "$(lit_share "$WORK/pose.png" $here)" 0.1 && above 0.02 "$(lit_share "$WORK/pose.png" $there)" && return
        [ "$(date +%s)" -lt "$deadline" ] || fail "$2"
        sleep 0.2
    done
}

start_on_main_menu
click_picture data/graphics/window/mainmenu/commencer.png 280 213
wait_for_line " -*- Loading Menu : Slot 3 non present"

# One click on the occupied slot asks; the save stays as it was.
click_picture data/graphics/map/02_BUS/mapIcon.png 348 212
sleep 1
[ "$(count_lines "$MAP_LINE")" -eq 0 ] || fail "one click on an occupied slot started a game"
printf '%s' "$SAVED" | cmp -s - "$SLOT1" || fail "one click changed the save: $(cat "$SLOT1")"
screenshot "$WORK/confirm.png"
key Escape
sleep 0.3
printf '%s' "$SAVED" | cmp -s - "$SLOT1" || fail "cancelling changed the save"

# A new game in the empty second slot.
click_picture data/graphics/window/newGameMenu/slot.png 347 302
wait_for_line "$MAP_LINE"
wait_to_stand_on floor "the character never landed"
key Shift_L
wait_to_stand_on ceiling "gravity did not reverse"

key F5
wait_for_count "$MAP_LINE" 2
wait_to_stand_on floor "after F5 the character does not stand on the floor"

# Walking into the exit with the key held: the transfer screen waits for a new press.
hold_line=" -- Chargement de l'image : data\\graphics\\window\\mapInterlude.png"
xdotool keydown --window "$WINDOW" d
wait_for_line "$hold_line" 15
sleep 1.5
xdotool keyup --window "$WINDOW" d
[ "$(count_lines " -- Chargement de la map : data\\maps\\02_BUS\\02_BUS.zi")" -eq 0 ] ||
    fail "the held walk key skipped the transfer screen"
sleep 0.3
key space
wait_for_line " -- Chargement de la map : data\\maps\\02_BUS\\02_BUS.zi"

key F12
wait_for_exit
echo "restart and slots: ok"
