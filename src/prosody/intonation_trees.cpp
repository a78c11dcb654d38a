// Accent ("int_cart_accents") and boundary-tone ("int_cart_tones") trees,
// shared by every deliverable. Node layout of model/cart.h: the yes-branch
// is the next node, leaves are nodes of their own, a terminator ends each array.
#include "prosody/intonation_trees.h"

namespace tts {

namespace {

// Operands and answers: static string values shared between nodes.
constexpr Val kNumber0 = staticString("0");
constexpr Val kNumber1 = staticString("1");
constexpr Val kNumber2 = staticString("2");
constexpr Val kNumber3 = staticString("3");
constexpr Val kNumber4 = staticString("4");
constexpr Val kNumber5 = staticString("5");
constexpr Val kNumber6 = staticString("6");
constexpr Val kNumber7 = staticString("7");
constexpr Val kNumber10 = staticString("10");
constexpr Val kAccentDownstepH = staticString("!H*");
constexpr Val kAccentH = staticString("H*");
constexpr Val kToneH = staticString("H-");
constexpr Val kToneHH = staticString("H-H%");
constexpr Val kAccentLH = staticString("L+H*");
constexpr Val kToneLH = staticString("L-H%");
constexpr Val kToneLL = staticString("L-L%");
constexpr Val kNone = staticString("NONE");
constexpr Val kClassAux = staticString("aux");
constexpr Val kClassCc = staticString("cc");
constexpr Val kClassContent = staticString("content");
constexpr Val kClassDet = staticString("det");
constexpr Val kClassIn = staticString("in");
constexpr Val kClassMd = staticString("md");
constexpr Val kClassPps = staticString("pps");
constexpr Val kClassTo = staticString("to");
constexpr Val kClassWp = staticString("wp");

const char* const kAccentNames[] = {
    "R:SylStructure.parent.R:Token.parent.EMPH",
    "n.R:SylStructure.parent.R:Token.parent.EMPH",
    "p.R:SylStructure.parent.R:Token.parent.EMPH",
    "ssyl_in",
    "R:SylStructure.parent.gpos",
    "ssyl_out",
    "stress",
    "R:SylStructure.parent.R:Word.p.gpos",
    "p.syl_break",
    "syl_break",
    "p.p.syl_break",
    "R:SylStructure.parent.R:Word.p.p.gpos",
    "syl_out",
    "R:SylStructure.parent.R:Word.n.gpos",
    "n.stress",
    "syl_in",
    "n.syl_break",
    "n.n.syl_break",
    nullptr,
};

const CartNode kAccentNodes[] = {
    {0, kCartEqual, 2, &kNumber1},  // 0: R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kAccentH},  // 1
    {1, kCartEqual, 4, &kNumber1},  // 2: n.R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kNone},  // 3
    {2, kCartEqual, 6, &kNumber1},  // 4: p.R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kNone},  // 5
    {3, kCartEqual, 8, &kNumber10},  // 6: ssyl_in is "10"
    {255, kCartLeaf, 0, &kNone},  // 7
    {4, kCartEqual, 10, &kClassTo},  // 8: R:SylStructure.parent.gpos is "to"
    {255, kCartLeaf, 0, &kNone},  // 9
    {4, kCartEqual, 12, &kClassCc},  // 10: R:SylStructure.parent.gpos is "cc"
    {255, kCartLeaf, 0, &kNone},  // 11
    {5, kCartEqual, 14, &kNumber10},  // 12: ssyl_out is "10"
    {255, kCartLeaf, 0, &kNone},  // 13
    {4, kCartEqual, 16, &kClassIn},  // 14: R:SylStructure.parent.gpos is "in"
    {255, kCartLeaf, 0, &kNone},  // 15
    {4, kCartEqual, 18, &kClassWp},  // 16: R:SylStructure.parent.gpos is "wp"
    {255, kCartLeaf, 0, &kNone},  // 17
    {4, kCartEqual, 20, &kClassAux},  // 18: R:SylStructure.parent.gpos is "aux"
    {255, kCartLeaf, 0, &kNone},  // 19
    {4, kCartEqual, 22, &kClassDet},  // 20: R:SylStructure.parent.gpos is "det"
    {255, kCartLeaf, 0, &kNone},  // 21
    {6, kCartEqual, 24, &kNumber0},  // 22: stress is "0"
    {255, kCartLeaf, 0, &kNone},  // 23
    {7, kCartEqual, 26, &kNumber0},  // 24: R:SylStructure.parent.R:Word.p.gpos is "0"
    {255, kCartLeaf, 0, &kAccentH},  // 25
    {4, kCartEqual, 28, &kClassMd},  // 26: R:SylStructure.parent.gpos is "md"
    {255, kCartLeaf, 0, &kNone},  // 27
    {8, kCartEqual, 32, &kNumber3},  // 28: p.syl_break is "3"
    {9, kCartEqual, 31, &kNumber1},  // 29: syl_break is "1"
    {255, kCartLeaf, 0, &kNone},  // 30
    {255, kCartLeaf, 0, &kAccentH},  // 31
    {10, kCartEqual, 46, &kNumber4},  // 32: p.p.syl_break is "4"
    {11, kCartEqual, 35, &kClassIn},  // 33: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {255, kCartLeaf, 0, &kAccentH},  // 34
    {12, kCartEqual, 37, &kNumber0},  // 35: syl_out is "0"
    {255, kCartLeaf, 0, &kAccentH},  // 36
    {13, kCartEqual, 39, &kClassIn},  // 37: R:SylStructure.parent.R:Word.n.gpos is "in"
    {255, kCartLeaf, 0, &kAccentH},  // 38
    {9, kCartEqual, 41, &kNumber0},  // 39: syl_break is "0"
    {255, kCartLeaf, 0, &kAccentH},  // 40
    {14, kCartEqual, 43, &kNumber0},  // 41: n.stress is "0"
    {255, kCartLeaf, 0, &kAccentH},  // 42
    {8, kCartEqual, 45, &kNumber0},  // 43: p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 44
    {255, kCartLeaf, 0, &kAccentH},  // 45
    {3, kCartEqual, 48, &kNumber0},  // 46: ssyl_in is "0"
    {255, kCartLeaf, 0, &kAccentH},  // 47
    {5, kCartEqual, 50, &kNumber4},  // 48: ssyl_out is "4"
    {255, kCartLeaf, 0, &kNone},  // 49
    {10, kCartEqual, 54, &kNumber3},  // 50: p.p.syl_break is "3"
    {7, kCartEqual, 53, &kClassContent},  // 51: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kNone},  // 52
    {255, kCartLeaf, 0, &kAccentH},  // 53
    {15, kCartEqual, 68, &kNumber2},  // 54: syl_in is "2"
    {14, kCartEqual, 65, &kNumber0},  // 55: n.stress is "0"
    {7, kCartEqual, 58, &kClassIn},  // 56: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kAccentH},  // 57
    {12, kCartEqual, 60, &kNumber2},  // 58: syl_out is "2"
    {255, kCartLeaf, 0, &kAccentH},  // 59
    {7, kCartEqual, 64, &kClassContent},  // 60: R:SylStructure.parent.R:Word.p.gpos is "content"
    {12, kCartEqual, 63, &kNumber4},  // 61: syl_out is "4"
    {255, kCartLeaf, 0, &kNone},  // 62
    {255, kCartLeaf, 0, &kAccentH},  // 63
    {255, kCartLeaf, 0, &kAccentH},  // 64
    {16, kCartEqual, 67, &kNumber0},  // 65: n.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 66
    {255, kCartLeaf, 0, &kAccentH},  // 67
    {13, kCartEqual, 72, &kNumber0},  // 68: R:SylStructure.parent.R:Word.n.gpos is "0"
    {9, kCartEqual, 71, &kNumber0},  // 69: syl_break is "0"
    {255, kCartLeaf, 0, &kAccentLH},  // 70
    {255, kCartLeaf, 0, &kNone},  // 71
    {9, kCartEqual, 82, &kNumber1},  // 72: syl_break is "1"
    {3, kCartEqual, 75, &kNumber3},  // 73: ssyl_in is "3"
    {255, kCartLeaf, 0, &kNone},  // 74
    {8, kCartEqual, 77, &kNumber0},  // 75: p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 76
    {14, kCartEqual, 81, &kNumber0},  // 77: n.stress is "0"
    {10, kCartEqual, 80, &kNumber0},  // 78: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 79
    {255, kCartLeaf, 0, &kAccentH},  // 80
    {255, kCartLeaf, 0, &kNone},  // 81
    {12, kCartEqual, 88, &kNumber4},  // 82: syl_out is "4"
    {17, kCartEqual, 87, &kNumber0},  // 83: n.n.syl_break is "0"
    {10, kCartEqual, 86, &kNumber0},  // 84: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 85
    {255, kCartLeaf, 0, &kAccentLH},  // 86
    {255, kCartLeaf, 0, &kAccentH},  // 87
    {12, kCartEqual, 92, &kNumber5},  // 88: syl_out is "5"
    {7, kCartEqual, 91, &kClassContent},  // 89: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kNone},  // 90
    {255, kCartLeaf, 0, &kAccentH},  // 91
    {11, kCartEqual, 102, &kClassIn},  // 92: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {15, kCartEqual, 95, &kNumber4},  // 93: syl_in is "4"
    {255, kCartLeaf, 0, &kAccentH},  // 94
    {15, kCartEqual, 97, &kNumber3},  // 95: syl_in is "3"
    {255, kCartLeaf, 0, &kAccentH},  // 96
    {10, kCartEqual, 99, &kNumber0},  // 97: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 98
    {7, kCartEqual, 101, &kClassContent},  // 99: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kAccentH},  // 100
    {255, kCartLeaf, 0, &kAccentDownstepH},  // 101
    {5, kCartEqual, 108, &kNumber2},  // 102: ssyl_out is "2"
    {8, kCartEqual, 105, &kNumber0},  // 103: p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 104
    {10, kCartEqual, 107, &kNumber0},  // 105: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 106
    {255, kCartLeaf, 0, &kAccentLH},  // 107
    {11, kCartEqual, 110, &kClassTo},  // 108: R:SylStructure.parent.R:Word.p.p.gpos is "to"
    {255, kCartLeaf, 0, &kAccentH},  // 109
    {9, kCartEqual, 114, &kNumber3},  // 110: syl_break is "3"
    {10, kCartEqual, 113, &kNumber0},  // 111: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 112
    {255, kCartLeaf, 0, &kAccentH},  // 113
    {15, kCartEqual, 120, &kNumber7},  // 114: syl_in is "7"
    {14, kCartEqual, 119, &kNumber0},  // 115: n.stress is "0"
    {13, kCartEqual, 118, &kClassContent},  // 116: R:SylStructure.parent.R:Word.n.gpos is "content"
    {255, kCartLeaf, 0, &kAccentDownstepH},  // 117
    {255, kCartLeaf, 0, &kNone},  // 118
    {255, kCartLeaf, 0, &kNone},  // 119
    {13, kCartEqual, 122, &kClassCc},  // 120: R:SylStructure.parent.R:Word.n.gpos is "cc"
    {255, kCartLeaf, 0, &kNone},  // 121
    {17, kCartEqual, 124, &kNumber3},  // 122: n.n.syl_break is "3"
    {255, kCartLeaf, 0, &kAccentH},  // 123
    {3, kCartEqual, 126, &kNumber4},  // 124: ssyl_in is "4"
    {255, kCartLeaf, 0, &kNone},  // 125
    {8, kCartEqual, 136, &kNumber0},  // 126: p.syl_break is "0"
    {16, kCartEqual, 129, &kNumber1},  // 127: n.syl_break is "1"
    {255, kCartLeaf, 0, &kNone},  // 128
    {3, kCartEqual, 131, &kNumber3},  // 129: ssyl_in is "3"
    {255, kCartLeaf, 0, &kNone},  // 130
    {10, kCartEqual, 133, &kNumber0},  // 131: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 132
    {3, kCartEqual, 135, &kNumber1},  // 133: ssyl_in is "1"
    {255, kCartLeaf, 0, &kAccentH},  // 134
    {255, kCartLeaf, 0, &kNone},  // 135
    {7, kCartEqual, 138, &kClassIn},  // 136: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kAccentLH},  // 137
    {15, kCartEqual, 140, &kNumber6},  // 138: syl_in is "6"
    {255, kCartLeaf, 0, &kAccentDownstepH},  // 139
    {12, kCartEqual, 142, &kNumber2},  // 140: syl_out is "2"
    {255, kCartLeaf, 0, &kAccentH},  // 141
    {15, kCartEqual, 144, &kNumber4},  // 142: syl_in is "4"
    {255, kCartLeaf, 0, &kAccentDownstepH},  // 143
    {14, kCartEqual, 148, &kNumber0},  // 144: n.stress is "0"
    {15, kCartEqual, 147, &kNumber3},  // 145: syl_in is "3"
    {255, kCartLeaf, 0, &kAccentH},  // 146
    {255, kCartLeaf, 0, &kNone},  // 147
    {255, kCartLeaf, 0, &kNone},  // 148
    {255, kCartLeaf, 0, nullptr},  // terminator
};

const char* const kToneNames[] = {
    "lisp_syl_yn_question",
    "R:SylStructure.parent.gpos",
    "ssyl_in",
    "p.old_syl_break",
    "n.old_syl_break",
    "old_syl_break",
    "R:SylStructure.parent.R:Word.n.gpos",
    "R:SylStructure.parent.R:Word.p.gpos",
    "syl_in",
    "sub_phrases",
    "n.stress",
    "R:SylStructure.parent.R:Word.n.n.gpos",
    "p.p.old_syl_break",
    "n.n.old_syl_break",
    "R:SylStructure.parent.R:Word.p.p.gpos",
    nullptr,
};

const CartNode kToneNodes[] = {
    {0, kCartEqual, 2, &kNumber1},  // 0: lisp_syl_yn_question is "1"
    {255, kCartLeaf, 0, &kToneHH},  // 1
    {1, kCartEqual, 4, &kClassCc},  // 2: R:SylStructure.parent.gpos is "cc"
    {255, kCartLeaf, 0, &kNone},  // 3
    {2, kCartEqual, 6, &kNumber10},  // 4: ssyl_in is "10"
    {255, kCartLeaf, 0, &kNone},  // 5
    {1, kCartEqual, 8, &kClassMd},  // 6: R:SylStructure.parent.gpos is "md"
    {255, kCartLeaf, 0, &kNone},  // 7
    {3, kCartEqual, 10, &kNumber4},  // 8: p.old_syl_break is "4"
    {255, kCartLeaf, 0, &kNone},  // 9
    {1, kCartEqual, 12, &kClassDet},  // 10: R:SylStructure.parent.gpos is "det"
    {255, kCartLeaf, 0, &kNone},  // 11
    {4, kCartEqual, 14, &kNumber3},  // 12: n.old_syl_break is "3"
    {255, kCartLeaf, 0, &kNone},  // 13
    {4, kCartEqual, 16, &kNumber4},  // 14: n.old_syl_break is "4"
    {255, kCartLeaf, 0, &kNone},  // 15
    {1, kCartEqual, 18, &kClassIn},  // 16: R:SylStructure.parent.gpos is "in"
    {255, kCartLeaf, 0, &kNone},  // 17
    {5, kCartEqual, 46, &kNumber4},  // 18: old_syl_break is "4"
    {6, kCartEqual, 21, &kNumber0},  // 19: R:SylStructure.parent.R:Word.n.gpos is "0"
    {255, kCartLeaf, 0, &kToneLL},  // 20
    {7, kCartEqual, 23, &kClassAux},  // 21: R:SylStructure.parent.R:Word.p.gpos is "aux"
    {255, kCartLeaf, 0, &kToneLL},  // 22
    {6, kCartEqual, 25, &kClassDet},  // 23: R:SylStructure.parent.R:Word.n.gpos is "det"
    {255, kCartLeaf, 0, &kToneLL},  // 24
    {2, kCartEqual, 27, &kNumber4},  // 25: ssyl_in is "4"
    {255, kCartLeaf, 0, &kToneLL},  // 26
    {8, kCartEqual, 29, &kNumber6},  // 27: syl_in is "6"
    {255, kCartLeaf, 0, &kToneLL},  // 28
    {6, kCartEqual, 31, &kClassAux},  // 29: R:SylStructure.parent.R:Word.n.gpos is "aux"
    {255, kCartLeaf, 0, &kToneLH},  // 30
    {8, kCartEqual, 33, &kNumber5},  // 31: syl_in is "5"
    {255, kCartLeaf, 0, &kToneLL},  // 32
    {9, kCartEqual, 35, &kNumber2},  // 33: sub_phrases is "2"
    {255, kCartLeaf, 0, &kToneLL},  // 34
    {7, kCartEqual, 37, &kClassDet},  // 35: R:SylStructure.parent.R:Word.p.gpos is "det"
    {255, kCartLeaf, 0, &kToneLL},  // 36
    {9, kCartEqual, 45, &kNumber0},  // 37: sub_phrases is "0"
    {6, kCartEqual, 42, &kClassIn},  // 38: R:SylStructure.parent.R:Word.n.gpos is "in"
    {4, kCartEqual, 41, &kNumber0},  // 39: n.old_syl_break is "0"
    {255, kCartLeaf, 0, &kToneLL},  // 40
    {255, kCartLeaf, 0, &kToneLH},  // 41
    {10, kCartEqual, 44, &kNumber0},  // 42: n.stress is "0"
    {255, kCartLeaf, 0, &kToneLL},  // 43
    {255, kCartLeaf, 0, &kToneLH},  // 44
    {255, kCartLeaf, 0, &kToneLL},  // 45
    {1, kCartEqual, 48, &kClassPps},  // 46: R:SylStructure.parent.gpos is "pps"
    {255, kCartLeaf, 0, &kNone},  // 47
    {8, kCartEqual, 50, &kNumber0},  // 48: syl_in is "0"
    {255, kCartLeaf, 0, &kNone},  // 49
    {1, kCartEqual, 94, &kClassContent},  // 50: R:SylStructure.parent.gpos is "content"
    {11, kCartEqual, 53, &kNumber0},  // 51: R:SylStructure.parent.R:Word.n.n.gpos is "0"
    {255, kCartLeaf, 0, &kNone},  // 52
    {12, kCartEqual, 55, &kNumber4},  // 53: p.p.old_syl_break is "4"
    {255, kCartLeaf, 0, &kNone},  // 54
    {8, kCartEqual, 57, &kNumber1},  // 55: syl_in is "1"
    {255, kCartLeaf, 0, &kNone},  // 56
    {13, kCartEqual, 59, &kNumber4},  // 57: n.n.old_syl_break is "4"
    {255, kCartLeaf, 0, &kNone},  // 58
    {11, kCartEqual, 61, &kClassIn},  // 59: R:SylStructure.parent.R:Word.n.n.gpos is "in"
    {255, kCartLeaf, 0, &kNone},  // 60
    {7, kCartEqual, 63, &kClassCc},  // 61: R:SylStructure.parent.R:Word.p.gpos is "cc"
    {255, kCartLeaf, 0, &kNone},  // 62
    {13, kCartEqual, 65, &kNumber3},  // 63: n.n.old_syl_break is "3"
    {255, kCartLeaf, 0, &kNone},  // 64
    {11, kCartEqual, 67, &kClassCc},  // 65: R:SylStructure.parent.R:Word.n.n.gpos is "cc"
    {255, kCartLeaf, 0, &kNone},  // 66
    {2, kCartEqual, 69, &kNumber0},  // 67: ssyl_in is "0"
    {255, kCartLeaf, 0, &kNone},  // 68
    {11, kCartEqual, 71, &kClassTo},  // 69: R:SylStructure.parent.R:Word.n.n.gpos is "to"
    {255, kCartLeaf, 0, &kNone},  // 70
    {14, kCartEqual, 73, &kClassTo},  // 71: R:SylStructure.parent.R:Word.p.p.gpos is "to"
    {255, kCartLeaf, 0, &kNone},  // 72
    {7, kCartEqual, 75, &kClassIn},  // 73: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kNone},  // 74
    {14, kCartEqual, 77, &kClassIn},  // 75: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {255, kCartLeaf, 0, &kNone},  // 76
    {8, kCartEqual, 79, &kNumber2},  // 77: syl_in is "2"
    {255, kCartLeaf, 0, &kNone},  // 78
    {11, kCartEqual, 81, &kClassAux},  // 79: R:SylStructure.parent.R:Word.n.n.gpos is "aux"
    {255, kCartLeaf, 0, &kNone},  // 80
    {9, kCartEqual, 83, &kNumber1},  // 81: sub_phrases is "1"
    {255, kCartLeaf, 0, &kNone},  // 82
    {14, kCartEqual, 85, &kClassDet},  // 83: R:SylStructure.parent.R:Word.p.p.gpos is "det"
    {255, kCartLeaf, 0, &kNone},  // 84
    {2, kCartEqual, 87, &kNumber4},  // 85: ssyl_in is "4"
    {255, kCartLeaf, 0, &kNone},  // 86
    {4, kCartEqual, 89, &kNumber0},  // 87: n.old_syl_break is "0"
    {255, kCartLeaf, 0, &kNone},  // 88
    {6, kCartEqual, 91, &kClassContent},  // 89: R:SylStructure.parent.R:Word.n.gpos is "content"
    {255, kCartLeaf, 0, &kNone},  // 90
    {5, kCartEqual, 93, &kNumber3},  // 91: old_syl_break is "3"
    {255, kCartLeaf, 0, &kToneH},  // 92
    {255, kCartLeaf, 0, &kNone},  // 93
    {255, kCartLeaf, 0, &kNone},  // 94
    {255, kCartLeaf, 0, nullptr},  // terminator
};

}  // namespace

const Cart kAccentTree = {kAccentNodes, kAccentNames};
const Cart kToneTree = {kToneNodes, kToneNames};

}  // namespace tts
