[Map]
01_USB
[Player]
1 0.25 1