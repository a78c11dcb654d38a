// Accent ("int_cart_accents") and boundary-tone ("int_cart_tones") trees,
// shared by every deliverable. Node layout of model/cart.h: the yes-branch
// is the next node, leaves are nodes of their own, a terminator ends each array.
#include "prosody/intonation_trees.h"

namespace tts {

namespace {

// Operands and answers: static string values shared between nodes.
constexpr Val kOp0 = staticString("1");
constexpr Val kOp1 = staticString("H*");
constexpr Val kOp2 = staticString("NONE");
constexpr Val kOp3 = staticString("10");
constexpr Val kOp4 = staticString("to");
constexpr Val kOp5 = staticString("cc");
constexpr Val kOp6 = staticString("in");
constexpr Val kOp7 = staticString("wp");
constexpr Val kOp8 = staticString("aux");
constexpr Val kOp9 = staticString("det");
constexpr Val kOp10 = staticString("0");
constexpr Val kOp11 = staticString("md");
constexpr Val kOp12 = staticString("3");
constexpr Val kOp13 = staticString("4");
constexpr Val kOp14 = staticString("content");
constexpr Val kOp15 = staticString("2");
constexpr Val kOp16 = staticString("L+H*");
constexpr Val kOp17 = staticString("5");
constexpr Val kOp18 = staticString("!H*");
constexpr Val kOp19 = staticString("7");
constexpr Val kOp20 = staticString("6");
constexpr Val kOp21 = staticString("H-H%");
constexpr Val kOp22 = staticString("L-L%");
constexpr Val kOp23 = staticString("L-H%");
constexpr Val kOp24 = staticString("pps");
constexpr Val kOp25 = staticString("H-");

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
    {0, kCartEqual, 2, &kOp0},  // 0: R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kOp1},  // 1
    {1, kCartEqual, 4, &kOp0},  // 2: n.R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kOp2},  // 3
    {2, kCartEqual, 6, &kOp0},  // 4: p.R:SylStructure.parent.R:Token.parent.EMPH is "1"
    {255, kCartLeaf, 0, &kOp2},  // 5
    {3, kCartEqual, 8, &kOp3},  // 6: ssyl_in is "10"
    {255, kCartLeaf, 0, &kOp2},  // 7
    {4, kCartEqual, 10, &kOp4},  // 8: R:SylStructure.parent.gpos is "to"
    {255, kCartLeaf, 0, &kOp2},  // 9
    {4, kCartEqual, 12, &kOp5},  // 10: R:SylStructure.parent.gpos is "cc"
    {255, kCartLeaf, 0, &kOp2},  // 11
    {5, kCartEqual, 14, &kOp3},  // 12: ssyl_out is "10"
    {255, kCartLeaf, 0, &kOp2},  // 13
    {4, kCartEqual, 16, &kOp6},  // 14: R:SylStructure.parent.gpos is "in"
    {255, kCartLeaf, 0, &kOp2},  // 15
    {4, kCartEqual, 18, &kOp7},  // 16: R:SylStructure.parent.gpos is "wp"
    {255, kCartLeaf, 0, &kOp2},  // 17
    {4, kCartEqual, 20, &kOp8},  // 18: R:SylStructure.parent.gpos is "aux"
    {255, kCartLeaf, 0, &kOp2},  // 19
    {4, kCartEqual, 22, &kOp9},  // 20: R:SylStructure.parent.gpos is "det"
    {255, kCartLeaf, 0, &kOp2},  // 21
    {6, kCartEqual, 24, &kOp10},  // 22: stress is "0"
    {255, kCartLeaf, 0, &kOp2},  // 23
    {7, kCartEqual, 26, &kOp10},  // 24: R:SylStructure.parent.R:Word.p.gpos is "0"
    {255, kCartLeaf, 0, &kOp1},  // 25
    {4, kCartEqual, 28, &kOp11},  // 26: R:SylStructure.parent.gpos is "md"
    {255, kCartLeaf, 0, &kOp2},  // 27
    {8, kCartEqual, 32, &kOp12},  // 28: p.syl_break is "3"
    {9, kCartEqual, 31, &kOp0},  // 29: syl_break is "1"
    {255, kCartLeaf, 0, &kOp2},  // 30
    {255, kCartLeaf, 0, &kOp1},  // 31
    {10, kCartEqual, 46, &kOp13},  // 32: p.p.syl_break is "4"
    {11, kCartEqual, 35, &kOp6},  // 33: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {255, kCartLeaf, 0, &kOp1},  // 34
    {12, kCartEqual, 37, &kOp10},  // 35: syl_out is "0"
    {255, kCartLeaf, 0, &kOp1},  // 36
    {13, kCartEqual, 39, &kOp6},  // 37: R:SylStructure.parent.R:Word.n.gpos is "in"
    {255, kCartLeaf, 0, &kOp1},  // 38
    {9, kCartEqual, 41, &kOp10},  // 39: syl_break is "0"
    {255, kCartLeaf, 0, &kOp1},  // 40
    {14, kCartEqual, 43, &kOp10},  // 41: n.stress is "0"
    {255, kCartLeaf, 0, &kOp1},  // 42
    {8, kCartEqual, 45, &kOp10},  // 43: p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 44
    {255, kCartLeaf, 0, &kOp1},  // 45
    {3, kCartEqual, 48, &kOp10},  // 46: ssyl_in is "0"
    {255, kCartLeaf, 0, &kOp1},  // 47
    {5, kCartEqual, 50, &kOp13},  // 48: ssyl_out is "4"
    {255, kCartLeaf, 0, &kOp2},  // 49
    {10, kCartEqual, 54, &kOp12},  // 50: p.p.syl_break is "3"
    {7, kCartEqual, 53, &kOp14},  // 51: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kOp2},  // 52
    {255, kCartLeaf, 0, &kOp1},  // 53
    {15, kCartEqual, 68, &kOp15},  // 54: syl_in is "2"
    {14, kCartEqual, 65, &kOp10},  // 55: n.stress is "0"
    {7, kCartEqual, 58, &kOp6},  // 56: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kOp1},  // 57
    {12, kCartEqual, 60, &kOp15},  // 58: syl_out is "2"
    {255, kCartLeaf, 0, &kOp1},  // 59
    {7, kCartEqual, 64, &kOp14},  // 60: R:SylStructure.parent.R:Word.p.gpos is "content"
    {12, kCartEqual, 63, &kOp13},  // 61: syl_out is "4"
    {255, kCartLeaf, 0, &kOp2},  // 62
    {255, kCartLeaf, 0, &kOp1},  // 63
    {255, kCartLeaf, 0, &kOp1},  // 64
    {16, kCartEqual, 67, &kOp10},  // 65: n.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 66
    {255, kCartLeaf, 0, &kOp1},  // 67
    {13, kCartEqual, 72, &kOp10},  // 68: R:SylStructure.parent.R:Word.n.gpos is "0"
    {9, kCartEqual, 71, &kOp10},  // 69: syl_break is "0"
    {255, kCartLeaf, 0, &kOp16},  // 70
    {255, kCartLeaf, 0, &kOp2},  // 71
    {9, kCartEqual, 82, &kOp0},  // 72: syl_break is "1"
    {3, kCartEqual, 75, &kOp12},  // 73: ssyl_in is "3"
    {255, kCartLeaf, 0, &kOp2},  // 74
    {8, kCartEqual, 77, &kOp10},  // 75: p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 76
    {14, kCartEqual, 81, &kOp10},  // 77: n.stress is "0"
    {10, kCartEqual, 80, &kOp10},  // 78: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 79
    {255, kCartLeaf, 0, &kOp1},  // 80
    {255, kCartLeaf, 0, &kOp2},  // 81
    {12, kCartEqual, 88, &kOp13},  // 82: syl_out is "4"
    {17, kCartEqual, 87, &kOp10},  // 83: n.n.syl_break is "0"
    {10, kCartEqual, 86, &kOp10},  // 84: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 85
    {255, kCartLeaf, 0, &kOp16},  // 86
    {255, kCartLeaf, 0, &kOp1},  // 87
    {12, kCartEqual, 92, &kOp17},  // 88: syl_out is "5"
    {7, kCartEqual, 91, &kOp14},  // 89: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kOp2},  // 90
    {255, kCartLeaf, 0, &kOp1},  // 91
    {11, kCartEqual, 102, &kOp6},  // 92: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {15, kCartEqual, 95, &kOp13},  // 93: syl_in is "4"
    {255, kCartLeaf, 0, &kOp1},  // 94
    {15, kCartEqual, 97, &kOp12},  // 95: syl_in is "3"
    {255, kCartLeaf, 0, &kOp1},  // 96
    {10, kCartEqual, 99, &kOp10},  // 97: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 98
    {7, kCartEqual, 101, &kOp14},  // 99: R:SylStructure.parent.R:Word.p.gpos is "content"
    {255, kCartLeaf, 0, &kOp1},  // 100
    {255, kCartLeaf, 0, &kOp18},  // 101
    {5, kCartEqual, 108, &kOp15},  // 102: ssyl_out is "2"
    {8, kCartEqual, 105, &kOp10},  // 103: p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 104
    {10, kCartEqual, 107, &kOp10},  // 105: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 106
    {255, kCartLeaf, 0, &kOp16},  // 107
    {11, kCartEqual, 110, &kOp4},  // 108: R:SylStructure.parent.R:Word.p.p.gpos is "to"
    {255, kCartLeaf, 0, &kOp1},  // 109
    {9, kCartEqual, 114, &kOp12},  // 110: syl_break is "3"
    {10, kCartEqual, 113, &kOp10},  // 111: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 112
    {255, kCartLeaf, 0, &kOp1},  // 113
    {15, kCartEqual, 120, &kOp19},  // 114: syl_in is "7"
    {14, kCartEqual, 119, &kOp10},  // 115: n.stress is "0"
    {13, kCartEqual, 118, &kOp14},  // 116: R:SylStructure.parent.R:Word.n.gpos is "content"
    {255, kCartLeaf, 0, &kOp18},  // 117
    {255, kCartLeaf, 0, &kOp2},  // 118
    {255, kCartLeaf, 0, &kOp2},  // 119
    {13, kCartEqual, 122, &kOp5},  // 120: R:SylStructure.parent.R:Word.n.gpos is "cc"
    {255, kCartLeaf, 0, &kOp2},  // 121
    {17, kCartEqual, 124, &kOp12},  // 122: n.n.syl_break is "3"
    {255, kCartLeaf, 0, &kOp1},  // 123
    {3, kCartEqual, 126, &kOp13},  // 124: ssyl_in is "4"
    {255, kCartLeaf, 0, &kOp2},  // 125
    {8, kCartEqual, 136, &kOp10},  // 126: p.syl_break is "0"
    {16, kCartEqual, 129, &kOp0},  // 127: n.syl_break is "1"
    {255, kCartLeaf, 0, &kOp2},  // 128
    {3, kCartEqual, 131, &kOp12},  // 129: ssyl_in is "3"
    {255, kCartLeaf, 0, &kOp2},  // 130
    {10, kCartEqual, 133, &kOp10},  // 131: p.p.syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 132
    {3, kCartEqual, 135, &kOp0},  // 133: ssyl_in is "1"
    {255, kCartLeaf, 0, &kOp1},  // 134
    {255, kCartLeaf, 0, &kOp2},  // 135
    {7, kCartEqual, 138, &kOp6},  // 136: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kOp16},  // 137
    {15, kCartEqual, 140, &kOp20},  // 138: syl_in is "6"
    {255, kCartLeaf, 0, &kOp18},  // 139
    {12, kCartEqual, 142, &kOp15},  // 140: syl_out is "2"
    {255, kCartLeaf, 0, &kOp1},  // 141
    {15, kCartEqual, 144, &kOp13},  // 142: syl_in is "4"
    {255, kCartLeaf, 0, &kOp18},  // 143
    {14, kCartEqual, 148, &kOp10},  // 144: n.stress is "0"
    {15, kCartEqual, 147, &kOp12},  // 145: syl_in is "3"
    {255, kCartLeaf, 0, &kOp1},  // 146
    {255, kCartLeaf, 0, &kOp2},  // 147
    {255, kCartLeaf, 0, &kOp2},  // 148
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
    {0, kCartEqual, 2, &kOp0},  // 0: lisp_syl_yn_question is "1"
    {255, kCartLeaf, 0, &kOp21},  // 1
    {1, kCartEqual, 4, &kOp5},  // 2: R:SylStructure.parent.gpos is "cc"
    {255, kCartLeaf, 0, &kOp2},  // 3
    {2, kCartEqual, 6, &kOp3},  // 4: ssyl_in is "10"
    {255, kCartLeaf, 0, &kOp2},  // 5
    {1, kCartEqual, 8, &kOp11},  // 6: R:SylStructure.parent.gpos is "md"
    {255, kCartLeaf, 0, &kOp2},  // 7
    {3, kCartEqual, 10, &kOp13},  // 8: p.old_syl_break is "4"
    {255, kCartLeaf, 0, &kOp2},  // 9
    {1, kCartEqual, 12, &kOp9},  // 10: R:SylStructure.parent.gpos is "det"
    {255, kCartLeaf, 0, &kOp2},  // 11
    {4, kCartEqual, 14, &kOp12},  // 12: n.old_syl_break is "3"
    {255, kCartLeaf, 0, &kOp2},  // 13
    {4, kCartEqual, 16, &kOp13},  // 14: n.old_syl_break is "4"
    {255, kCartLeaf, 0, &kOp2},  // 15
    {1, kCartEqual, 18, &kOp6},  // 16: R:SylStructure.parent.gpos is "in"
    {255, kCartLeaf, 0, &kOp2},  // 17
    {5, kCartEqual, 46, &kOp13},  // 18: old_syl_break is "4"
    {6, kCartEqual, 21, &kOp10},  // 19: R:SylStructure.parent.R:Word.n.gpos is "0"
    {255, kCartLeaf, 0, &kOp22},  // 20
    {7, kCartEqual, 23, &kOp8},  // 21: R:SylStructure.parent.R:Word.p.gpos is "aux"
    {255, kCartLeaf, 0, &kOp22},  // 22
    {6, kCartEqual, 25, &kOp9},  // 23: R:SylStructure.parent.R:Word.n.gpos is "det"
    {255, kCartLeaf, 0, &kOp22},  // 24
    {2, kCartEqual, 27, &kOp13},  // 25: ssyl_in is "4"
    {255, kCartLeaf, 0, &kOp22},  // 26
    {8, kCartEqual, 29, &kOp20},  // 27: syl_in is "6"
    {255, kCartLeaf, 0, &kOp22},  // 28
    {6, kCartEqual, 31, &kOp8},  // 29: R:SylStructure.parent.R:Word.n.gpos is "aux"
    {255, kCartLeaf, 0, &kOp23},  // 30
    {8, kCartEqual, 33, &kOp17},  // 31: syl_in is "5"
    {255, kCartLeaf, 0, &kOp22},  // 32
    {9, kCartEqual, 35, &kOp15},  // 33: sub_phrases is "2"
    {255, kCartLeaf, 0, &kOp22},  // 34
    {7, kCartEqual, 37, &kOp9},  // 35: R:SylStructure.parent.R:Word.p.gpos is "det"
    {255, kCartLeaf, 0, &kOp22},  // 36
    {9, kCartEqual, 45, &kOp10},  // 37: sub_phrases is "0"
    {6, kCartEqual, 42, &kOp6},  // 38: R:SylStructure.parent.R:Word.n.gpos is "in"
    {4, kCartEqual, 41, &kOp10},  // 39: n.old_syl_break is "0"
    {255, kCartLeaf, 0, &kOp22},  // 40
    {255, kCartLeaf, 0, &kOp23},  // 41
    {10, kCartEqual, 44, &kOp10},  // 42: n.stress is "0"
    {255, kCartLeaf, 0, &kOp22},  // 43
    {255, kCartLeaf, 0, &kOp23},  // 44
    {255, kCartLeaf, 0, &kOp22},  // 45
    {1, kCartEqual, 48, &kOp24},  // 46: R:SylStructure.parent.gpos is "pps"
    {255, kCartLeaf, 0, &kOp2},  // 47
    {8, kCartEqual, 50, &kOp10},  // 48: syl_in is "0"
    {255, kCartLeaf, 0, &kOp2},  // 49
    {1, kCartEqual, 94, &kOp14},  // 50: R:SylStructure.parent.gpos is "content"
    {11, kCartEqual, 53, &kOp10},  // 51: R:SylStructure.parent.R:Word.n.n.gpos is "0"
    {255, kCartLeaf, 0, &kOp2},  // 52
    {12, kCartEqual, 55, &kOp13},  // 53: p.p.old_syl_break is "4"
    {255, kCartLeaf, 0, &kOp2},  // 54
    {8, kCartEqual, 57, &kOp0},  // 55: syl_in is "1"
    {255, kCartLeaf, 0, &kOp2},  // 56
    {13, kCartEqual, 59, &kOp13},  // 57: n.n.old_syl_break is "4"
    {255, kCartLeaf, 0, &kOp2},  // 58
    {11, kCartEqual, 61, &kOp6},  // 59: R:SylStructure.parent.R:Word.n.n.gpos is "in"
    {255, kCartLeaf, 0, &kOp2},  // 60
    {7, kCartEqual, 63, &kOp5},  // 61: R:SylStructure.parent.R:Word.p.gpos is "cc"
    {255, kCartLeaf, 0, &kOp2},  // 62
    {13, kCartEqual, 65, &kOp12},  // 63: n.n.old_syl_break is "3"
    {255, kCartLeaf, 0, &kOp2},  // 64
    {11, kCartEqual, 67, &kOp5},  // 65: R:SylStructure.parent.R:Word.n.n.gpos is "cc"
    {255, kCartLeaf, 0, &kOp2},  // 66
    {2, kCartEqual, 69, &kOp10},  // 67: ssyl_in is "0"
    {255, kCartLeaf, 0, &kOp2},  // 68
    {11, kCartEqual, 71, &kOp4},  // 69: R:SylStructure.parent.R:Word.n.n.gpos is "to"
    {255, kCartLeaf, 0, &kOp2},  // 70
    {14, kCartEqual, 73, &kOp4},  // 71: R:SylStructure.parent.R:Word.p.p.gpos is "to"
    {255, kCartLeaf, 0, &kOp2},  // 72
    {7, kCartEqual, 75, &kOp6},  // 73: R:SylStructure.parent.R:Word.p.gpos is "in"
    {255, kCartLeaf, 0, &kOp2},  // 74
    {14, kCartEqual, 77, &kOp6},  // 75: R:SylStructure.parent.R:Word.p.p.gpos is "in"
    {255, kCartLeaf, 0, &kOp2},  // 76
    {8, kCartEqual, 79, &kOp15},  // 77: syl_in is "2"
    {255, kCartLeaf, 0, &kOp2},  // 78
    {11, kCartEqual, 81, &kOp8},  // 79: R:SylStructure.parent.R:Word.n.n.gpos is "aux"
    {255, kCartLeaf, 0, &kOp2},  // 80
    {9, kCartEqual, 83, &kOp0},  // 81: sub_phrases is "1"
    {255, kCartLeaf, 0, &kOp2},  // 82
    {14, kCartEqual, 85, &kOp9},  // 83: R:SylStructure.parent.R:Word.p.p.gpos is "det"
    {255, kCartLeaf, 0, &kOp2},  // 84
    {2, kCartEqual, 87, &kOp13},  // 85: ssyl_in is "4"
    {255, kCartLeaf, 0, &kOp2},  // 86
    {4, kCartEqual, 89, &kOp10},  // 87: n.old_syl_break is "0"
    {255, kCartLeaf, 0, &kOp2},  // 88
    {6, kCartEqual, 91, &kOp14},  // 89: R:SylStructure.parent.R:Word.n.gpos is "content"
    {255, kCartLeaf, 0, &kOp2},  // 90
    {5, kCartEqual, 93, &kOp12},  // 91: old_syl_break is "3"
    {255, kCartLeaf, 0, &kOp25},  // 92
    {255, kCartLeaf, 0, &kOp2},  // 93
    {255, kCartLeaf, 0, &kOp2},  // 94
    {255, kCartLeaf, 0, nullptr},  // terminator
};

}  // namespace

const Cart kAccentTree = {kAccentNodes, kAccentNames};
const Cart kToneTree = {kToneNodes, kToneNames};

}  // namespace tts
