#include "es/spanish_letters.h"

namespace corvum {
namespace es {
namespace {

// U+00C0..U+00FF folded (lower-case half; the upper-case half shares it).
// '\0' marks the two signs × and ÷.
constexpr char kLatin1[32] = {
    'a', 'A', 'a', 'a', 'a', 'a', 'e', 'C',  // à á â ã ä å æ ç
    'E', 'E', 'e', 'e', 'I', 'I', 'i', 'i',  // è é ê ë ì í î ï
    'd', 'N', 'O', 'O', 'o', 'o', 'o', '\0', // ð ñ ò ó ô õ ö ÷
    'o', 'U', 'U', 'u', 'W', 'y', 't', 'y',  // ø ù ú û ü ý þ ÿ
};

// U+0100..U+017F (Latin Extended-A) folded to base letters.
constexpr char kLatinExtA[129] =
    "aaaaaa"        // 0100-0105 Ā ā Ă ă Ą ą
    "cccccccc"      // 0106-010D Ć ć Ĉ ĉ Ċ ċ Č č
    "dddd"          // 010E-0111 Ď ď Đ đ
    "eeeeeeeeee"    // 0112-011B Ē ē Ĕ ĕ Ė ė Ę ę Ě ě
    "gggggggg"      // 011C-0123 Ĝ ĝ Ğ ğ Ġ ġ Ģ ģ
    "hhhh"          // 0124-0127 Ĥ ĥ Ħ ħ
    "iiiiiiiiii"    // 0128-0131 Ĩ ĩ Ī ī Ĭ ĭ Į į İ ı
    "ii"            // 0132-0133 Ĳ ĳ
    "jj"            // 0134-0135 Ĵ ĵ
    "kkk"           // 0136-0138 Ķ ķ ĸ
    "llllllllll"    // 0139-0142 Ĺ ĺ Ļ ļ Ľ ľ Ŀ ŀ Ł ł
    "nnnnnnnnn"     // 0143-014B Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ
    "oooooo"        // 014C-0151 Ō ō Ŏ ŏ Ő ő
    "ee"            // 0152-0153 Œ œ
    "rrrrrr"        // 0154-0159 Ŕ ŕ Ŗ ŗ Ř ř
    "ssssssss"      // 015A-0161 Ś ś Ŝ ŝ Ş ş Š š
    "tttttt"        // 0162-0167 Ţ ţ Ť ť Ŧ ŧ
    "uuuuuuuuuuuu"  // 0168-0173 Ũ ũ Ū ū Ŭ ŭ Ů ů Ű ű Ų ų
    "ww"            // 0174-0175 Ŵ ŵ
    "yyy"           // 0176-0178 Ŷ ŷ Ÿ
    "zzzzzz"        // 0179-017E Ź ź Ż ż Ž ž
    "s";            // 017F ſ

// Capitals of Latin Extended-A: pairs start on even code points up to U+0137
// and from U+014A to U+0177, on odd code points from U+0139 to U+0148 and
// from U+0179; U+0178 Ÿ stands alone; ı, ĸ, ŉ, ſ have no capital form here.
bool isUpperExtA(char16_t c) {
  if (c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F) return false;
  if (c == 0x0178) return true;
  if (c <= 0x0137) return (c & 1) == 0;
  if (c >= 0x0139 && c <= 0x0148) return (c & 1) == 1;
  if (c >= 0x014A && c <= 0x0177) return (c & 1) == 0;
  return (c & 1) == 1;  // 0179-017E
}

}  // namespace

FoldedLetter foldSpanishLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return {static_cast<char>(c), false};
  if (c >= u'A' && c <= u'Z') return {static_cast<char>(c - u'A' + u'a'), true};
  if (c >= 0x00C0 && c <= 0x00FF) {
    if (c == 0x00DF) return {'s', false};  // ß
    const char code = kLatin1[(c - 0x00C0) & 0x1F];
    return {code, code != '\0' && c < 0x00E0};
  }
  if (c >= 0x0100 && c <= 0x017F) return {kLatinExtA[c - 0x0100], isUpperExtA(c)};
  return {'\0', false};
}

char combineMark(char code, char16_t mark) {
  switch (mark) {
    case 0x0300:  // grave
    case 0x0301:  // acute
      switch (code) {
        case 'a': return 'A';
        case 'e': return 'E';
        case 'i': return 'I';
        case 'o': return 'O';
        case 'u': return 'U';
        default: return code;
      }
    case 0x0303:  // tilde
      return code == 'n' ? 'N' : code;
    case 0x0308:  // diaeresis
      return code == 'u' ? 'W' : code;
    default:
      return code;
  }
}

}  // namespace es
}  // namespace corvum
