#!/bin/sh
# Content written by others: a save naming a map that is not there is shown as marked and
# never entered, and a map whose exit leads nowhere keeps the player on it, playing.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
SAVE="$WORK/data/saves/01/save.sv"
printf '[Map]\n01_USb\n[Player]\n1 0.5 0' >"$SAVE"
write_map 01_USB <<'MAP'
[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled
[CurrentLevelVortex] 2 40 396
[NextLevelVortex] 3 200 396 02_BUs
MAP

start_on_main_menu
click_picture data/graphics/window/mainmenu/charger.png 228 289
wait_for_line " -- Loading Menu : Slot 1 present"
[ -n "${E2E_SHOTS:-}" ] && screenshot "$E2E_SHOTS/marked-slot.png"
click_picture data/graphics/window/newGameMenu/slotIllisible.png 347 211
wait_for_line "    * data\\maps\\01_USb\\01_USb.zi"
printf '[Map]\n01_USb\n[Player]\n1 0.5 0' | cmp -s - "$SAVE" || fail "the unreadable save was changed"

# Back to the main menu, a new game in slot 1: walking right reaches the exit to nowhere.
key Escape
wait_for_line " -*- Destruction de l'item : data\\graphics\\window\\loadingMenu\\background.png"
click_picture data/graphics/window/mainmenu/commencer.png 280 213
wait_for_count " -*- Loading Menu : Slot 3 non present" 2
# A saved game, even one that cannot be resumed, is only overwritten on a second click.
click_picture data/graphics/window/newGameMenu/slotIllisible.png 347 211
sleep 0.3
[ "$(count_lines " -- Chargement de la map : data\\maps\\01_USB\\01_USB.zi")" -eq 0 ] || fail "overwritten at once"
click_picture data/graphics/window/newGameMenu/slotIllisible.png 347 211
hold_until d "    * data\\maps\\02_BUs\\02_BUs.zi"
xdotool keydown --window "$WINDOW" q
sleep 0.5
xdotool keyup --window "$WINDOW" q
[ -n "${E2E_SHOTS:-}" ] && screenshot "$E2E_SHOTS/exit-to-nowhere.png"
[ "$(count_lines "    * data\\maps\\02_BUs\\02_BUs.zi")" -eq 1 ] || fail "the missing map was reported more than once"
key F12
wait_for_exit
printf '[Map]\n01_USB\n[Player]\n0 0.5 0' | cmp -s - "$SAVE" || fail "the save names another map: $(cat "$SAVE")"
echo "hostile content: ok"
