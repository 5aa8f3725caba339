#pragma once

#include <array>
#include <string_view>

// Every scene label of the story. Tables name labels only through these
// constants, so a misspelt label is a compile error rather than a dead end.
namespace barmen::label {

inline constexpr std::string_view Start      = "시작";
inline constexpr std::string_view Start2     = "시작 2";
inline constexpr std::string_view Start3     = "시작 3";
inline constexpr std::string_view Start4     = "시작 4";
inline constexpr std::string_view Start5     = "시작 5";
inline constexpr std::string_view Start6     = "시작 6";
inline constexpr std::string_view Start7     = "시작 7";
inline constexpr std::string_view Start8     = "시작 8";
inline constexpr std::string_view Start9     = "시작 9";
inline constexpr std::string_view Start10    = "시작 10";
inline constexpr std::string_view Start11    = "시작 11";
inline constexpr std::string_view Start12    = "시작 12";
inline constexpr std::string_view Start13    = "시작 13";
inline constexpr std::string_view Start14    = "시작 14";
inline constexpr std::string_view Start15    = "시작 15";
inline constexpr std::string_view Start16    = "시작 16";
inline constexpr std::string_view Start17    = "시작 17";
inline constexpr std::string_view Start18    = "시작 18";
inline constexpr std::string_view Start19    = "시작 19";
inline constexpr std::string_view Start20    = "시작 20";
inline constexpr std::string_view Start21    = "시작 21";
inline constexpr std::string_view Start22    = "시작 22";
inline constexpr std::string_view Start23    = "시작 23";
inline constexpr std::string_view Start24    = "시작 24";
inline constexpr std::string_view Start25    = "시작 25";
inline constexpr std::string_view Start26    = "시작 26";
inline constexpr std::string_view Observe1   = "관찰 1";
inline constexpr std::string_view Observe2   = "관찰 2";
inline constexpr std::string_view Observe3   = "관찰 3";
inline constexpr std::string_view Observe4   = "관찰 4";
inline constexpr std::string_view Observe5   = "관찰 5";
inline constexpr std::string_view Observe6   = "관찰 6";
inline constexpr std::string_view Observe7   = "관찰 7";
inline constexpr std::string_view Observe8   = "관찰 8";
inline constexpr std::string_view Observe9   = "관찰 9";
inline constexpr std::string_view Observe10  = "관찰 10";
inline constexpr std::string_view Act1       = "행동 1";
inline constexpr std::string_view Act2       = "행동 2";
inline constexpr std::string_view Act3       = "행동 3";
inline constexpr std::string_view Act4       = "행동 4";
inline constexpr std::string_view Road1      = "길행동 1";
inline constexpr std::string_view Road2      = "길행동 2";
inline constexpr std::string_view Bush1      = "수풀행동 1";
inline constexpr std::string_view Bush2      = "수풀행동 2";
inline constexpr std::string_view Bush3      = "수풀행동 3";
inline constexpr std::string_view Magic1     = "마법행동 1";
inline constexpr std::string_view Magic2     = "마법행동 2";
inline constexpr std::string_view Magic3     = "마법행동 3";
inline constexpr std::string_view Magic4     = "마법행동 4";
inline constexpr std::string_view Magic5     = "마법행동 5";
inline constexpr std::string_view Magic6     = "마법행동 6";
inline constexpr std::string_view Magic7     = "마법행동 7";
inline constexpr std::string_view Magic8     = "마법행동 8";
inline constexpr std::string_view Magic9     = "마법행동 9";
inline constexpr std::string_view Magic10    = "마법행동 10";
inline constexpr std::string_view Magic11    = "마법행동 11";
inline constexpr std::string_view Magic12    = "마법행동 12";
inline constexpr std::string_view Magic13    = "마법행동 13";
inline constexpr std::string_view Magic14    = "마법행동 14";
inline constexpr std::string_view Magic15    = "마법행동 15";
inline constexpr std::string_view Magic16    = "마법행동 16";
inline constexpr std::string_view Magic17    = "마법행동 17";
inline constexpr std::string_view Magic18    = "마법행동 18";
inline constexpr std::string_view Magic19    = "마법행동 19";
inline constexpr std::string_view Branch1    = "분기 1";
inline constexpr std::string_view Branch2    = "분기 2";
inline constexpr std::string_view Branch3    = "분기 3";
inline constexpr std::string_view Branch4    = "분기 4";
inline constexpr std::string_view Ahead1_1   = "앞 1-1";
inline constexpr std::string_view Ahead1_2   = "앞 1-2";
inline constexpr std::string_view Ahead1_3   = "앞 1-3";
inline constexpr std::string_view Ahead4_1   = "앞 4-1";
inline constexpr std::string_view Ahead4_2   = "앞 4-2";
inline constexpr std::string_view Ahead4_3   = "앞 4-3";
inline constexpr std::string_view Ahead4_4   = "앞 4-4";
inline constexpr std::string_view Ahead4_5   = "앞 4-5";
inline constexpr std::string_view Ahead4_6   = "앞 4-6";
inline constexpr std::string_view Ahead4_7   = "앞 4-7";
inline constexpr std::string_view Left1_1    = "왼쪽 1-1";
inline constexpr std::string_view Left1_2    = "왼쪽 1-2";
inline constexpr std::string_view Left1_3    = "왼쪽 1-3";
inline constexpr std::string_view Left1_4    = "왼쪽 1-4";
inline constexpr std::string_view Left1_5    = "왼쪽 1-5";
inline constexpr std::string_view Left1_6    = "왼쪽 1-6";
inline constexpr std::string_view Left1_7    = "왼쪽 1-7";
inline constexpr std::string_view Left2_1    = "왼쪽 2-1";
inline constexpr std::string_view Left2_2    = "왼쪽 2-2";
inline constexpr std::string_view Left2_3    = "왼쪽 2-3";
inline constexpr std::string_view Left3_1    = "왼쪽 3-1";
inline constexpr std::string_view Left3_2    = "왼쪽 3-2";
inline constexpr std::string_view Left3_3    = "왼쪽 3-3";
inline constexpr std::string_view Left3_4    = "왼쪽 3-4";
inline constexpr std::string_view Right1_1   = "오른쪽 1-1";
inline constexpr std::string_view Right1_2   = "오른쪽 1-2";
inline constexpr std::string_view Right1_3   = "오른쪽 1-3";
inline constexpr std::string_view Right1_4   = "오른쪽 1-4";
inline constexpr std::string_view Right1_5   = "오른쪽 1-5";
inline constexpr std::string_view Right1_6   = "오른쪽 1-6";
inline constexpr std::string_view Right1_7   = "오른쪽 1-7";
inline constexpr std::string_view Right2_1   = "오른쪽 2-1";
inline constexpr std::string_view Right2_2   = "오른쪽 2-2";
inline constexpr std::string_view Right2_3   = "오른쪽 2-3";
inline constexpr std::string_view Right2_4   = "오른쪽 2-4";
inline constexpr std::string_view Right3_1   = "오른쪽 3-1";
inline constexpr std::string_view Right3_2   = "오른쪽 3-2";
inline constexpr std::string_view Right3_3   = "오른쪽 3-3";
inline constexpr std::string_view Right3_4   = "오른쪽 3-4";
inline constexpr std::string_view Showdown1  = "결전 1";
inline constexpr std::string_view Showdown2  = "결전 2";
inline constexpr std::string_view Showdown3  = "결전 3";
inline constexpr std::string_view Showdown4  = "결전 4";
inline constexpr std::string_view Showdown5  = "결전 5";
inline constexpr std::string_view Showdown6  = "결전 6";
inline constexpr std::string_view Showdown7  = "결전 7";
inline constexpr std::string_view Showdown8  = "결전 8";
inline constexpr std::string_view Showdown9  = "결전 9";
inline constexpr std::string_view Showdown10 = "결전 10";
inline constexpr std::string_view Showdown11 = "결전 11";
inline constexpr std::string_view Showdown12 = "결전 12";
inline constexpr std::string_view Showdown13 = "결전 13";
inline constexpr std::string_view Showdown14 = "결전 14";
inline constexpr std::string_view Showdown15 = "결전 15";
inline constexpr std::string_view Showdown16 = "결전 16";
inline constexpr std::string_view Showdown17 = "결전 17";
inline constexpr std::string_view Showdown18 = "결전 18";
inline constexpr std::string_view Showdown19 = "결전 19";
inline constexpr std::string_view Showdown20 = "결전 20";
inline constexpr std::string_view Showdown21 = "결전 21";
inline constexpr std::string_view Showdown22 = "결전 22";
inline constexpr std::string_view Showdown23 = "결전 23";
inline constexpr std::string_view Showdown24 = "결전 24";
inline constexpr std::string_view Showdown25 = "결전 25";
inline constexpr std::string_view Showdown26 = "결전 26";
inline constexpr std::string_view Showdown27 = "결전 27";
inline constexpr std::string_view Showdown28 = "결전 28";
inline constexpr std::string_view Showdown29 = "결전 29";
inline constexpr std::string_view Showdown30 = "결전 30";
inline constexpr std::string_view Showdown31 = "결전 31";
inline constexpr std::string_view Showdown32 = "결전 32";
inline constexpr std::string_view Showdown33 = "결전 33";
inline constexpr std::string_view Showdown34 = "결전 34";
inline constexpr std::string_view Showdown35 = "결전 35";
inline constexpr std::string_view Showdown36 = "결전 36";
inline constexpr std::string_view Showdown37 = "결전 37";
inline constexpr std::string_view Showdown38 = "결전 38";
inline constexpr std::string_view Showdown39 = "결전 39";
inline constexpr std::string_view Showdown40 = "결전 40";
inline constexpr std::string_view Golem1     = "골렘 1";
inline constexpr std::string_view Golem2     = "골렘 2";
inline constexpr std::string_view Golem3     = "골렘 3";
inline constexpr std::string_view Golem4     = "골렘 4";
inline constexpr std::string_view Golem5     = "골렘 5";
inline constexpr std::string_view Golem6     = "골렘 6";
inline constexpr std::string_view Golem7     = "골렘 7";
inline constexpr std::string_view Golem8     = "골렘 8";
inline constexpr std::string_view Ending     = "엔딩";
inline constexpr std::string_view Ending2    = "엔딩 2";
inline constexpr std::string_view Ending3    = "엔딩 3";
inline constexpr std::string_view Ending4    = "엔딩 4";
inline constexpr std::string_view Ending5    = "엔딩 5";
inline constexpr std::string_view Ending6    = "엔딩 6";
inline constexpr std::string_view Ending7    = "엔딩 7";
inline constexpr std::string_view Ending8    = "엔딩 8";
inline constexpr std::string_view Ending9    = "엔딩 9";
inline constexpr std::string_view Ending10   = "엔딩 10";
inline constexpr std::string_view Ending11   = "엔딩 11";
inline constexpr std::string_view Ending12   = "엔딩 12";
inline constexpr std::string_view Ending13   = "엔딩 13";
inline constexpr std::string_view Ending14   = "엔딩 14";
inline constexpr std::string_view Ending15   = "엔딩 15";
inline constexpr std::string_view Ending16   = "엔딩 16";
inline constexpr std::string_view Ending17   = "엔딩 17";
inline constexpr std::string_view Ending18   = "엔딩 18";
inline constexpr std::string_view Ending19   = "엔딩 19";
inline constexpr std::string_view Ending20   = "엔딩 20";
inline constexpr std::string_view Ending21   = "엔딩 21";
inline constexpr std::string_view Ending22   = "엔딩 22";
inline constexpr std::string_view Ending23   = "엔딩 23";
inline constexpr std::string_view Ending24   = "엔딩 24";
inline constexpr std::string_view Ending25   = "엔딩 25";
inline constexpr std::string_view Ending26   = "엔딩 26";
inline constexpr std::string_view Ending26_1 = "엔딩 26-1";
inline constexpr std::string_view Ending27   = "엔딩 27";
inline constexpr std::string_view Ending28   = "엔딩 28";
inline constexpr std::string_view Ending29   = "엔딩 29";
inline constexpr std::string_view Ending29_1 = "엔딩 29-1";
inline constexpr std::string_view Ending30   = "엔딩 30";
inline constexpr std::string_view Ending31   = "엔딩 31";
inline constexpr std::string_view Ending32   = "엔딩 32";
inline constexpr std::string_view Ending33   = "엔딩 33";
inline constexpr std::string_view Ending34   = "엔딩 34";
inline constexpr std::string_view Ending35   = "엔딩 35";
inline constexpr std::string_view Ending36   = "엔딩 36";
inline constexpr std::string_view End        = "끝";
inline constexpr std::string_view GameOver   = "게임오버";

// All 195 labels, in story order.
inline constexpr std::array<std::string_view, 195> all = {
    Start, Start2, Start3, Start4, Start5, Start6,
    Start7, Start8, Start9, Start10, Start11, Start12,
    Start13, Start14, Start15, Start16, Start17, Start18,
    Start19, Start20, Start21, Start22, Start23, Start24,
    Start25, Start26, Observe1, Observe2, Observe3, Observe4,
    Observe5, Observe6, Observe7, Observe8, Observe9, Observe10,
    Act1, Act2, Act3, Act4, Road1, Road2,
    Bush1, Bush2, Bush3, Magic1, Magic2, Magic3,
    Magic4, Magic5, Magic6, Magic7, Magic8, Magic9,
    Magic10, Magic11, Magic12, Magic13, Magic14, Magic15,
    Magic16, Magic17, Magic18, Magic19, Branch1, Branch2,
    Branch3, Branch4, Ahead1_1, Ahead1_2, Ahead1_3, Ahead4_1,
    Ahead4_2, Ahead4_3, Ahead4_4, Ahead4_5, Ahead4_6, Ahead4_7,
    Left1_1, Left1_2, Left1_3, Left1_4, Left1_5, Left1_6,
    Left1_7, Left2_1, Left2_2, Left2_3, Left3_1, Left3_2,
    Left3_3, Left3_4, Right1_1, Right1_2, Right1_3, Right1_4,
    Right1_5, Right1_6, Right1_7, Right2_1, Right2_2, Right2_3,
    Right2_4, Right3_1, Right3_2, Right3_3, Right3_4, Showdown1,
    Showdown2, Showdown3, Showdown4, Showdown5, Showdown6, Showdown7,
    Showdown8, Showdown9, Showdown10, Showdown11, Showdown12, Showdown13,
    Showdown14, Showdown15, Showdown16, Showdown17, Showdown18, Showdown19,
    Showdown20, Showdown21, Showdown22, Showdown23, Showdown24, Showdown25,
    Showdown26, Showdown27, Showdown28, Showdown29, Showdown30, Showdown31,
    Showdown32, Showdown33, Showdown34, Showdown35, Showdown36, Showdown37,
    Showdown38, Showdown39, Showdown40, Golem1, Golem2, Golem3,
    Golem4, Golem5, Golem6, Golem7, Golem8, Ending,
    Ending2, Ending3, Ending4, Ending5, Ending6, Ending7,
    Ending8, Ending9, Ending10, Ending11, Ending12, Ending13,
    Ending14, Ending15, Ending16, Ending17, Ending18, Ending19,
    Ending20, Ending21, Ending22, Ending23, Ending24, Ending25,
    Ending26, Ending26_1, Ending27, Ending28, Ending29, Ending29_1,
    Ending30, Ending31, Ending32, Ending33, Ending34, Ending35,
    Ending36, End, GameOver,
};

} // namespace barmen::label
