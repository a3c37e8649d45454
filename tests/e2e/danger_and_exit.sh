#!/bin/sh
# Spikes kill and the game-over screen restarts the map without saving; the exit
# vortex leads through the interlude to the next map, saving the map left.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
SAVE="$WORK/data/saves/01/save.sv"
MAP_LINE=" -- Chargement de la map : data\\maps\\01_USB\\01_USB.zi"

# Entry in the middle, spikes to the right, the exit to the left.
write_map 01_USB <<'MAP'
[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled
[CurrentLevelVortex] 2 400 396
[PicEntity] 3 600 440 AnimatedSprite pics.png 1 2 -1 0
[NextLevelVortex] 4 100 396 02_BUS
MAP

start_game
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\iconeFenetre.png"
click_picture data/graphics/window/mainmenu/commencer.png 280 213
wait_for_line " -*- Loading Menu : Slot 3 non present"
click_picture data/graphics/window/newGameMenu/slot.png 347 211
wait_for_line "$MAP_LINE"

hold_until d " -- Chargement de l'image : data\\graphics\\window\\gameOver\\gameOver.png"
click_picture data/graphics/window/gameOver/recommencer.png 250 300
wait_for_count "$MAP_LINE" 2
wait_for_line " -*- Destruction de l'item : data\\graphics\\window\\gameOver\\gameOver.png"
[ ! -e "$SAVE" ] || fail "restarting after game over wrote the save"

hold_until q " -- Chargement de l'image : data\\graphics\\window\\mapInterlude.png"
sleep 0.7 # the interlude holds for half a second
key space
wait_for_line " -- Chargement de la map : data\\maps\\02_BUS\\02_BUS.zi"
printf '[Map]\n01_USB\n[Player]\n0 0.5 0' | cmp -s - "$SAVE" || fail "the save does not name the map left: $(cat "$SAVE")"

key F12
wait_for_exit
printf '[Map]\n02_BUS\n[Player]\n0 0.5 0' | cmp -s - "$SAVE" || fail "quitting did not store the current map"
echo "danger and exit: ok"
