[Map]
02_BUS
[Player]
1 nan 1