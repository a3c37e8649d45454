[Map]
09_NOYAU
[Player]
1 0.25 1