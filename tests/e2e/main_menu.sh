#!/bin/sh
# The game starts on its main menu, opens and closes the controls page, hides and
# shows the FPS counter, and quits from its button with a clean end-of-run trace.
. "$(dirname "$0")/lib.sh"
e2e_setup "$@"

start_on_main_menu

cat >"$WORK/expected-start.txt" <<'TRACE'
 *** Korvane - v.1.0.00 :

 -- Manager : Creation de l'item : data\graphics\window\hud\fleche.png
 -- Chargement de l'image : data\graphics\window\hud\fleche.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\background.png
 -- Chargement de l'image : data\graphics\window\mainmenu\background.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\commencer.png
 -- Chargement de l'image : data\graphics\window\mainmenu\commencer.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\charger.png
 -- Chargement de l'image : data\graphics\window\mainmenu\charger.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\quitter.png
 -- Chargement de l'image : data\graphics\window\mainmenu\quitter.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\titre.png
 -- Chargement de l'image : data\graphics\window\mainmenu\titre.png
 -- Manager : Creation de l'item : data\graphics\window\mainmenu\virus.png
 -- Chargement de l'image : data\graphics\window\mainmenu\virus.png
 -- Manager : Creation de l'item : data\graphics\window\commandes\bouton.png
 -- Chargement de l'image : data\graphics\window\commandes\bouton.png
 -- Manager : Creation de l'item : data\fonts\korvane.ttf
 -- Chargement de la font : data\fonts\korvane.ttf
 -- Manager : Creation de l'item : data\graphics\window\iconeFenetre.png
 -- Chargement de l'image : data\graphics\window\iconeFenetre.png
TRACE
head -n 22 "$TRACE" | cmp -s - "$WORK/expected-start.txt" || fail "start-up trace differs"

# The controls page opens from its button and any key release closes it.
click_picture data/graphics/window/commandes/bouton.png 10 450
wait_for_line " -- Chargement de l'image : data\\graphics\\window\\commandes\\01.png"
key space
wait_for_line " -*- Destruction de l'item : data\\graphics\\window\\commandes\\01.png"

# F1 hides the counter at the top right, F1 again shows it.
sleep 1.2 # the counter shows its first value once its first second has passed
screenshot "$WORK/shown.png"
key F1
sleep 0.3
screenshot "$WORK/hidden.png"
key F1
sleep 0.3
screenshot "$WORK/shown-again.png"
region=125x30+875+0
[ "$(white_share "$WORK/shown.png" $region)" != 0 ] || fail "no FPS counter at start"
[ "$(white_share "$WORK/hidden.png" $region)" = 0 ] || fail "F1 did not hide the FPS counter"
[ "$(white_share "$WORK/shown-again.png" $region)" != 0 ] || fail "F1 did not show the FPS counter again"

# Quit with the right button: any button works, on the button's opaque pixels.
click_picture data/graphics/window/mainmenu/quitter.png 387 371 3
wait_for_exit

cat >"$WORK/expected-end.txt" <<'TRACE'
 -*- Destruction de l'item : data\graphics\window\hud\fleche.png
 -*- ~Manager : Destruction de l'item
    * data\fonts\korvane.ttf
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\background.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\commencer.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\charger.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\quitter.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\titre.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\mainmenu\virus.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\commandes\bouton.png
 -*- ~Manager : Destruction de l'item
    * data\graphics\window\iconeFenetre.png
TRACE
tail -n 19 "$TRACE" | cmp -s - "$WORK/expected-end.txt" || fail "end-of-run trace differs"
echo "main menu: ok"
