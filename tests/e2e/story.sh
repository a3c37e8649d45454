#!/bin/sh
# A scripted map opens a dialogue over a code puzzle; the player reads the dialogue,
# types the secret (read from the trace) with real key presses, and the door opens.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"
SCRIPTS="$WORK/data/maps/01_USB/e2e"

write_map 01_USB <<'MAP'
[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled
[CurrentLevelVortex] 2 100 396
[DoorEntity] 3 600 360 Sprite porte.png
[ScriptedEntity] 4 300 420 data\maps\01_USB\e2e\start.txt Sprite bloc.png
[ScriptedEntity] 5 380 420 data\maps\01_USB\e2e\open.txt Sprite bloc.png
MAP
mkdir -p "$SCRIPTS"
printf '[TypeDeclenchement] OnMapLoading\n[MasterMindCode] 3 5\n[ShowDialogue] data\\maps\\01_USB\\e2e\\hello.dia -1\n' >"$SCRIPTS/start.txt"
printf '[ActivateEntity] 3\n' >"$SCRIPTS/open.txt"
cat >"$SCRIPTS/hello.dia" <<'DIA'
[Actor] Pilote background 255 210 63
[Dialogue]
0 -1 40 255 255 255
Un pare-feu ! Trouve son code.#

0 -1 40 255 255 255
Trois chiffres. Bonne chance.#
DIA

start_game
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\iconeFenetre.png"
click_picture data/graphics/window/mainmenu/commencer.png 280 213
wait_for_line " -*- Loading Menu : Slot 3 non present"
click_picture data/graphics/window/newGameMenu/slot.png 347 211
wait_for_line " -- Activation du script : data\\maps\\01_USB\\e2e\\start.txt"

# The puzzle writes its secret with no line end: it leads the next trace line.
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\dialogue\\wait.png"
CODE=$(sed -n 's/^\([0-9][0-9][0-9]\) -- .*/\1/p' "$TRACE" | head -n 1)
[ -n "$CODE" ] || fail "no secret code in the trace"

sleep 0.3
screenshot "$WORK/closed.png"
key Return
sleep 0.2
key Return
wait_for_line " -*- Destruction de l'item : data\\graphics\\actor\\Pilote.png"

for digit in $(echo "$CODE" | sed 's/./& /g'); do
    key "$digit"
done
key Return
wait_for_line " -- Activation du script : data\\maps\\01_USB\\e2e\\open.txt"
key space
wait_for_line " -*- Destruction de l'item : data\\graphics\\window\\console\\background.png"
sleep 0.3
screenshot "$WORK/open.png"
[ "$(compare -metric AE -crop 20x100+600+360 "$WORK/closed.png" "$WORK/open.png" null: 2>&1 || true)" != 0 ] ||
    fail "the door still shows"

key F12
wait_for_exit
echo "story: ok"
