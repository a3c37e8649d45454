[Player]
0 0.5 0
[Map]
07_RESEAU
