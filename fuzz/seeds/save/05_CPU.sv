[Map]
05_CPU
[Player]
1 0.25 1