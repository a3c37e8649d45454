#pragma once

// Where the campaign begins and where it ends. A new game starts on FIRST_MAP; an exit
// whose next map is CAMPAIGN_END leads to the ending (closing words and credits), not
// to a map: no map folder carries that name.
inline constexpr const char* FIRST_MAP = "01_USB";
inline constexpr const char* CAMPAIGN_END = "FIN";
