#include "ssml.h"

#include <expat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "utf8.h"

namespace voxa {

namespace {

constexpr int32_t kMinSpeed = 50, kMaxSpeed = 300;  // duration percentage the engine accepts
constexpr int32_t kMinPitch = 40, kMaxPitch = 600;  // Hz, as the host's -p
constexpr int32_t kMaxBreak_ms = 60000;

// UTF-16 units of a piece of UTF-8, each mapped to the input bytes it came from.
// When the bytes in the input are not the text itself (entity and character
// references), every unit maps to the whole of `whole`.
void appendMapped(SpeechPiece& piece, std::string_view utf8, size_t inputOffset, bool verbatim,
                  SourceRange whole) {
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    const size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
    std::u16string units;
    Utf8Error bad;
    if (!utf8ToUtf16(utf8.substr(i, n), units, bad)) units.assign(1, char16_t(0xFFFD));
    const SourceRange range = verbatim ? SourceRange{inputOffset + i, inputOffset + i + n} : whole;
    for (char16_t u : units) {
      piece.text += u == 0 ? u' ' : u;
      piece.source.push_back(range);
    }
    i += n;
  }
}

std::string trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

// Number with an optional sign and fraction at the start of `s`; false if none.
bool leadingNumber(const std::string& s, double& value, std::string& rest) {
  const char* begin = s.c_str();
  char* end = nullptr;
  value = std::strtod(begin, &end);
  if (end == begin) return false;
  rest = lower(trim(end));
  return true;
}

// Ordinal words 1..20 (masculine where the language has genders).
const char* const kOrdinalsEs[] = {"primero",       "segundo",      "tercero",      "cuarto",
                                   "quinto",        "sexto",        "séptimo",      "octavo",
                                   "noveno",        "décimo",       "undécimo",     "duodécimo",
                                   "decimotercero", "decimocuarto", "decimoquinto", "decimosexto",
                                   "decimoséptimo", "decimoctavo",  "decimonoveno", "vigésimo"};
const char* const kOrdinalsPl[] = {"pierwszy",  "drugi",       "trzeci",     "czwarty",       "piąty",
                                   "szósty",    "siódmy",      "ósmy",       "dziewiąty",     "dziesiąty",
                                   "jedenasty", "dwunasty",    "trzynasty",  "czternasty",    "piętnasty",
                                   "szesnasty", "siedemnasty", "osiemnasty", "dziewiętnasty", "dwudziesty"};
const char* const kOrdinalsTr[] = {"birinci",    "ikinci",     "üçüncü",       "dördüncü",     "beşinci",
                                   "altıncı",    "yedinci",    "sekizinci",    "dokuzuncu",    "onuncu",
                                   "on birinci", "on ikinci",  "on üçüncü",    "on dördüncü",  "on beşinci",
                                   "on altıncı", "on yedinci", "on sekizinci", "on dokuzuncu", "yirminci"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digit groups of `s` (runs of ASCII digits).
std::vector<std::string> digitGroups(const std::string& s) {
  std::vector<std::string> groups;
  std::string current;
  for (char c : s) {
    if (isDigit(c)) {
      current += c;
    } else if (!current.empty()) {
      groups.push_back(current);
      current.clear();
    }
  }
  if (!current.empty()) groups.push_back(current);
  return groups;
}

std::string spaced(const std::string& digits) {
  std::string out;
  for (char c : digits) {
    out += c;
    out += ' ';
  }
  return out;
}

struct Frame {
  std::string name;
  int32_t speed = 100;
  int32_t pitch = 100;
  bool prosodySet = false;  // speed and pitch differ from the host's own settings
  bool collecting = false;  // the element's text is gathered and rewritten at its end
  size_t begin = 0;         // first byte of the element's start tag
  size_t contentBegin = 0;  // first byte after it
  std::string collected;    // its text, when collecting
  std::string interpret, format, alias, phonemes;
  size_t line = 0, column = 0;
};

struct Parser {
  XML_Parser xml = nullptr;
  SpeechPlan* plan = nullptr;
  std::string language;
  int32_t basePitch = 120;
  int32_t baseSpeed = 100;
  std::vector<Frame> stack;
  SpeechPiece current;
  std::string stopReason;   // set when the handlers stop the parser
  int collectingDepth = 0;  // > 0 inside an element whose text is rewritten

  std::string where() const {
    return "line " + std::to_string(XML_GetCurrentLineNumber(xml)) + ", column " +
           std::to_string(XML_GetCurrentColumnNumber(xml) + 1);
  }
  void warn(const std::string& message) { plan->warnings.push_back(where() + ": " + message); }
  size_t byteIndex() const { return static_cast<size_t>(XML_GetCurrentByteIndex(xml)); }
  size_t byteEnd() const { return byteIndex() + static_cast<size_t>(XML_GetCurrentByteCount(xml)); }

  void flush() {
    if (!current.text.empty() || current.pauseBefore_ms > 0 || !current.marks.empty())
      plan->pieces.push_back(current);
    current = SpeechPiece{};
  }
  // The settings of the text about to be added; a change ends the piece.
  void useSettings() {
    std::optional<int32_t> speed, pitch;
    if (!stack.empty() && stack.back().prosodySet) {
      speed = stack.back().speed;
      pitch = stack.back().pitch;
    }
    if (current.text.empty()) {
      current.speed = speed;
      current.pitch = pitch;
    } else if (current.speed != speed || current.pitch != pitch) {
      flush();
      current.speed = speed;
      current.pitch = pitch;
    }
  }
  void addRewritten(const std::string& text, SourceRange range) {
    useSettings();
    appendMapped(current, " " + text + " ", 0, false, range);
  }
  void endSentence(SourceRange range) {
    size_t i = current.text.find_last_not_of(u" \t\r\n");
    if (i != std::u16string::npos) {
      const char16_t c = current.text[i];
      if (c != u'.' && c != u'!' && c != u'?' && c != u':' && c != u';' && c != u',') {
        current.text += u'.';
        current.source.push_back(range);
      }
    }
    flush();
  }

  void start(const char* name, const char** attributes);
  void end(const char* name);
  void text(const char* data, int length);
  std::string attribute(const char** attributes, const char* name) const {
    for (int i = 0; attributes[i]; i += 2)
      if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return "";
  }
  void checkLanguage(const std::string& tag) {
    if (tag.empty()) return;
    const std::string primary = lower(tag.substr(0, tag.find_first_of("-_")));
    if (primary != language) warn("text in language '" + tag + "' is read by the " + language + " engine");
  }
  void prosody(Frame& frame, const std::string& rate, const std::string& pitch);
  int32_t breakLength(const std::string& time, const std::string& strength);
  std::string sayAs(const Frame& frame);
};

int32_t Parser::breakLength(const std::string& time, const std::string& strength) {
  if (!time.empty()) {
    double value = 0;
    std::string unit;
    if (leadingNumber(time, value, unit) && value >= 0 && (unit == "ms" || unit == "s")) {
      const double ms = unit == "s" ? value * 1000 : value;
      return static_cast<int32_t>(std::min<double>(ms, kMaxBreak_ms));
    }
    warn("break time '" + time + "' is not a length like 500ms or 2s; a medium break is made");
    return 400;
  }
  static const std::pair<const char*, int32_t> kStrengths[] = {
      {"none", 0}, {"x-weak", 100}, {"weak", 200}, {"medium", 400}, {"strong", 700}, {"x-strong", 1200}};
  if (strength.empty()) return 400;
  for (const auto& [word, ms] : kStrengths)
    if (strength == word) return ms;
  warn("break strength '" + strength + "' is unknown; a medium break is made");
  return 400;
}

void Parser::prosody(Frame& frame, const std::string& rateText, const std::string& pitchText) {
  const std::string rate = lower(trim(rateText)), pitch = lower(trim(pitchText));
  if (!rate.empty()) {
    // A speaking rate in percent of normal becomes a duration percentage.
    static const std::pair<const char*, double> kRates[] = {
        {"x-slow", 50}, {"slow", 75}, {"medium", 100}, {"fast", 133}, {"x-fast", 175}, {"default", 100}};
    double percent = -1, value = 0;
    std::string unit;
    for (const auto& [word, p] : kRates)
      if (rate == word) percent = p;
    if (percent < 0 && leadingNumber(rate, value, unit) && unit == "%") {
      if (rate[0] == '+' || rate[0] == '-')
        percent = 100.0 * baseSpeed / frame.speed * (100 + value) / 100;  // relative to the current rate
      else
        percent = value;
    }
    if (percent > 0) {
      frame.speed =
          static_cast<int32_t>(std::clamp(100.0 * baseSpeed / percent, double(kMinSpeed), double(kMaxSpeed)));
    } else {
      warn("prosody rate '" + rateText + "' is not a percentage or a rate word; ignored");
    }
  }
  if (!pitch.empty()) {
    static const std::pair<const char*, double> kPitches[] = {
        {"x-low", 0.7}, {"low", 0.85}, {"medium", 1.0}, {"high", 1.15}, {"x-high", 1.3}, {"default", 1.0}};
    double hz = -1, value = 0;
    std::string unit;
    for (const auto& [word, factor] : kPitches)
      if (pitch == word) hz = basePitch * factor;
    if (hz < 0 && leadingNumber(pitch, value, unit)) {
      const bool relative = pitch[0] == '+' || pitch[0] == '-';
      if (unit == "hz")
        hz = relative ? frame.pitch + value : value;
      else if (unit == "%" && relative)
        hz = frame.pitch * (100 + value) / 100;
      else if (unit == "st" && relative)
        hz = frame.pitch * std::pow(2.0, value / 12);
    }
    if (hz > 0) {
      frame.pitch = static_cast<int32_t>(std::clamp(hz, double(kMinPitch), double(kMaxPitch)));
    } else {
      warn("prosody pitch '" + pitchText + "' is not in Hz, relative or a pitch word; ignored");
    }
  }
  frame.prosodySet = true;
}

std::string Parser::sayAs(const Frame& frame) {
  const std::string text = trim(frame.collected);
  const std::string kind = lower(frame.interpret);
  if (kind == "characters" || kind == "spell-out") {
    std::string out;
    for (size_t i = 0; i < text.size();) {
      const auto lead = static_cast<uint8_t>(text[i]);
      const size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
      const bool letter = n > 1 || std::isalnum(lead);
      if (letter) out += text.substr(i, n) + " ";
      i += n;
    }
    return out;
  }
  if (kind == "digits") return spaced(text);
  if (kind == "cardinal" || kind == "number") return text;
  if (kind == "ordinal") {
    const std::vector<std::string> groups = digitGroups(text);
    const int value = groups.size() == 1 && groups[0].size() <= 3 ? std::atoi(groups[0].c_str()) : 0;
    if (value >= 1 && value <= 20) {
      const char* const* table = language == "pl"   ? kOrdinalsPl
                                 : language == "tr" ? kOrdinalsTr
                                                    : kOrdinalsEs;
      return table[value - 1];
    }
    warn("ordinal '" + text + "' is read as a cardinal (ordinals are known from 1 to 20)");
    return groups.empty() ? text : groups[0];
  }
  if (kind == "date") {
    // The engine reads day/month/year; the format names the order of the fields.
    const std::string format = lower(frame.format.empty() ? "dmy" : frame.format);
    const std::vector<std::string> fields = digitGroups(text);
    const bool known = format.size() == fields.size() && format.size() == 3 &&
                       format.find('d') != std::string::npos && format.find('m') != std::string::npos &&
                       format.find('y') != std::string::npos;
    if (!known) {
      warn("date '" + text + "' does not match the format '" + format +
           "' (dmy, mdy or ymd); read as written");
      return text;
    }
    return fields[format.find('d')] + "/" + fields[format.find('m')] + "/" + fields[format.find('y')];
  }
  if (kind == "telephone") {
    std::string out;
    for (const std::string& group : digitGroups(text)) out += (out.empty() ? "" : ", ") + spaced(group);
    return out;
  }
  warn("say-as interpret-as '" + frame.interpret + "' is not supported; read as written");
  return text;
}

void Parser::start(const char* nameText, const char** attributes) {
  const std::string name = nameText;
  Frame frame;
  if (!stack.empty()) {
    frame.speed = stack.back().speed;
    frame.pitch = stack.back().pitch;
    frame.prosodySet = stack.back().prosodySet;
  } else {
    frame.speed = baseSpeed;
    frame.pitch = basePitch;
  }
  frame.name = name;
  frame.begin = byteIndex();
  frame.contentBegin = byteEnd();
  if (stack.empty() && name != "speak") {
    stopReason = where() + ": the document's root is <" + name + ">, not <speak>";
    XML_StopParser(xml, XML_FALSE);
    return;
  }
  if (collectingDepth > 0) {  // markup inside rewritten text: its text is kept, the element is not read
    warn("<" + name + "> inside <" + stack.back().name + "> is read as its text");
    ++collectingDepth;
    stack.push_back(frame);
    return;
  }
  const std::string lang = attribute(attributes, "xml:lang");
  if (name == "speak" || name == "lang") {
    checkLanguage(lang);
    if (name == "lang" && lang.empty()) warn("<lang> without xml:lang");
  } else if (name == "p" || name == "s") {
    checkLanguage(lang);
    useSettings();
  } else if (name == "break") {
    const int32_t ms = breakLength(attribute(attributes, "time"), attribute(attributes, "strength"));
    flush();
    current.pauseBefore_ms = ms;
  } else if (name == "prosody") {
    prosody(frame, attribute(attributes, "rate"), attribute(attributes, "pitch"));
    if (!attribute(attributes, "volume").empty()) warn("prosody volume is not supported; ignored");
  } else if (name == "say-as") {
    frame.interpret = attribute(attributes, "interpret-as");
    frame.format = attribute(attributes, "format");
    frame.collecting = true;
  } else if (name == "sub") {
    frame.alias = attribute(attributes, "alias");
    if (frame.alias.empty()) warn("<sub> without alias: its text is read");
    frame.collecting = true;
  } else if (name == "phoneme") {
    frame.phonemes = trim(attribute(attributes, "ph"));
    const std::string alphabet = lower(attribute(attributes, "alphabet"));
    if (!alphabet.empty() && alphabet != "corvum") {
      warn("phoneme alphabet '" + alphabet +
           "' is unknown (use the lexicon's own symbols, alphabet \"corvum\"); "
           "its text is read");
      frame.phonemes.clear();
    } else if (frame.phonemes.empty()) {
      warn("<phoneme> without ph: its text is read");
    }
    frame.collecting = true;
  } else if (name == "mark") {
    const std::string markName = attribute(attributes, "name");
    flush();
    current.marks.push_back(SsmlMark{markName, frame.begin});
  } else {
    warn("unknown element <" + name + "> is read as its text");
  }
  if (frame.collecting) collectingDepth = 1;
  stack.push_back(frame);
}

void Parser::end(const char* /*name*/) {
  if (stack.empty()) return;
  Frame frame = stack.back();
  stack.pop_back();
  if (collectingDepth > 1) {
    --collectingDepth;
    stack.back().collected += frame.collected;
    return;
  }
  const SourceRange range{frame.begin, byteEnd()};
  if (frame.collecting) {
    // Rewritten words stand for the element's content (the whole element when it is empty).
    const SourceRange content =
        byteIndex() > frame.contentBegin ? SourceRange{frame.contentBegin, byteIndex()} : range;
    collectingDepth = 0;
    stack.push_back(frame);  // rewritten text takes the element's own settings
    if (frame.name == "say-as") {
      addRewritten(sayAs(frame), content);
    } else if (frame.name == "sub") {
      addRewritten(frame.alias.empty() ? frame.collected : frame.alias, content);
    } else if (frame.name == "phoneme") {
      if (frame.phonemes.empty()) {
        addRewritten(frame.collected, content);
      } else {
        // A word of letters only, unknown to the lexicon, that the user
        // dictionary gives the pronunciation.
        size_t index = plan->phonemes.size();
        std::string word = "voxaph";
        do {
          word += static_cast<char>('a' + index % 26);
          index /= 26;
        } while (index > 0);
        plan->phonemes.push_back(PhonemeEntry{word, frame.phonemes});
        addRewritten(word, content);
      }
    }
    stack.pop_back();
    return;
  }
  if (frame.name == "s") endSentence(range);
  if (frame.name == "p") {
    endSentence(range);
    current.pauseBefore_ms = std::max(current.pauseBefore_ms, 300);
  }
  if (frame.name == "speak") flush();
}

void Parser::text(const char* data, int length) {
  if (stack.empty()) return;
  if (collectingDepth > 0) {
    stack.back().collected.append(data, static_cast<size_t>(length));
    return;
  }
  useSettings();
  const size_t at = byteIndex();
  const size_t count = static_cast<size_t>(XML_GetCurrentByteCount(xml));
  // Plain character data stands in the input as it is; a reference does not.
  const bool verbatim = count == static_cast<size_t>(length);
  appendMapped(current, std::string_view(data, static_cast<size_t>(length)), at, verbatim,
               SourceRange{at, at + count});
}

}  // namespace

bool looksLikeSsml(std::string_view input) {
  size_t i = 0;
  if (input.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  auto skipBlanks = [&] {
    while (i < input.size() && (input[i] == ' ' || input[i] == '\t' || input[i] == '\r' || input[i] == '\n'))
      ++i;
  };
  skipBlanks();
  return input.substr(i, 6) == "<speak" || input.substr(i, 5) == "<?xml";
}

SpeechPlan plainTextPlan(std::string_view input, const std::u16string& text, bool withSource) {
  SpeechPlan plan;
  SpeechPiece piece;
  if (!withSource) {  // the source map costs 16 bytes a unit: only --marks reads it
    piece.text = text;
    plan.pieces.push_back(std::move(piece));
    return plan;
  }
  piece.source.reserve(text.size());
  appendMapped(piece, input, 0, true, SourceRange{});
  // Keep the host's own conversion (NULs already replaced) when the sizes agree.
  if (piece.text.size() == text.size()) piece.text = text;
  plan.pieces.push_back(std::move(piece));
  return plan;
}

bool parseSsml(std::string_view input, const std::string& language, int32_t basePitch, int32_t baseSpeed,
               SpeechPlan& plan, std::string& error) {
  plan = SpeechPlan{};
  if (input.size() > INT_MAX) {
    error = "the document is too long";
    return false;
  }
  Parser parser;
  parser.plan = &plan;
  parser.language = language;
  parser.basePitch = basePitch;
  parser.baseSpeed = baseSpeed;
  parser.xml = XML_ParserCreate("UTF-8");
  if (!parser.xml) {
    error = "out of memory";
    return false;
  }
  XML_SetUserData(parser.xml, &parser);
  XML_SetElementHandler(
      parser.xml,
      [](void* user, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Parser*>(user)->start(name, attributes);
      },
      [](void* user, const XML_Char* name) { static_cast<Parser*>(user)->end(name); });
  XML_SetCharacterDataHandler(parser.xml, [](void* user, const XML_Char* data, int length) {
    static_cast<Parser*>(user)->text(data, length);
  });
  const XML_Status status = XML_Parse(parser.xml, input.data(), static_cast<int>(input.size()), XML_TRUE);
  bool ok = status == XML_STATUS_OK;
  if (!ok) {
    error = !parser.stopReason.empty()
                ? parser.stopReason
                : parser.where() + ": " + XML_ErrorString(XML_GetErrorCode(parser.xml));
  }
  XML_ParserFree(parser.xml);
  return ok;
}

}  // namespace voxa
