[Map]
01_USb
[Player]
1 0.5 0