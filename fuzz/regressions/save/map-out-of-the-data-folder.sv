[Map]
..\..\..\..\..\etc
[Player]
0 0.5 0