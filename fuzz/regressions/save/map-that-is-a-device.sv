[Map]
/dev/zero
[Player]
1 0.5 0