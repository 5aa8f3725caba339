#pragma once

#include <array>
#include <string_view>

// The picture files of the story, by the name they carry beside the program.
// Backgrounds (JPEG) go into bg, character pictures (GIF) into ch.
namespace barmen::pic {

inline constexpr std::string_view Forest        = "배경1.jpg";    // the forest crossroads
inline constexpr std::string_view Clearing      = "배경2.jpg";    // the rocky clearing of the showdown
inline constexpr std::string_view Thud          = "꽈당.jpg";     // heavy falls, the death scene, the epilogue
inline constexpr std::string_view AngryGolem    = "화난골렘.jpg"; // the duel
inline constexpr std::string_view EndingScenery = "엔딩배경.jpg"; // the good ending
inline constexpr std::string_view TheEnd        = "끝.jpg";       // closing card, game over

inline constexpr std::string_view Title            = "시작.gif";       // start screen only
inline constexpr std::string_view Narration        = "시작 2.gif";     // plain narration
inline constexpr std::string_view Meared           = "메어드.gif";
inline constexpr std::string_view MearedAwkward    = "뻘쭘메어드.gif";
inline constexpr std::string_view MearedGrumbling  = "투덜메어드.gif";
inline constexpr std::string_view MearedAnnoyed    = "짜증메어드.gif";
inline constexpr std::string_view MearedSobbing    = "흑흑메어드.gif";
inline constexpr std::string_view MearedWailing    = "으앙메어드.gif";
inline constexpr std::string_view MearedMagic      = "마법메어드.gif";
inline constexpr std::string_view MearedCasting1   = "시전메어드1.gif";
inline constexpr std::string_view MearedShy        = "부끄메어드.gif";
inline constexpr std::string_view MearedStartled   = "깜짝메어드.gif";
inline constexpr std::string_view MearedTrembling  = "바들메어드.gif";
inline constexpr std::string_view MySword          = "내검.gif";
inline constexpr std::string_view MearedCasting2   = "시전메어드2.gif";
inline constexpr std::string_view MearedBack       = "뒤메어드.gif";
inline constexpr std::string_view MearedBackAwkward = "뻘쭘뒤메어드.gif";
inline constexpr std::string_view MearedSniffling  = "훌쩍메어드.gif";

inline constexpr std::array<std::string_view, 6> backgrounds = {
    Forest, Clearing, Thud, AngryGolem, EndingScenery, TheEnd,
};

inline constexpr std::array<std::string_view, 18> characters = {
    Title, Narration, Meared, MearedAwkward, MearedGrumbling, MearedAnnoyed,
    MearedSobbing, MearedWailing, MearedMagic, MearedCasting1, MearedShy, MearedStartled,
    MearedTrembling, MySword, MearedCasting2, MearedBack, MearedBackAwkward, MearedSniffling,
};

} // namespace barmen::pic
