// One deliverable with its default voice, handled carelessly: header values
// at and past their accepted ranges, random corruptions of the voice block,
// and chunks whose words exceed one word-list pass or one entry.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "corvum.h"
#include "support/test_host.h"
#include "tts_engine.h"

#ifndef VOXA_LANG
#error "VOXA_LANG must name the deliverable's language"
#endif

namespace {

const std::string kLang = VOXA_LANG;

const std::vector<uint8_t>& defaultVoice() {
  static const std::vector<uint8_t> voice = [] {
    std::ifstream in(std::string(VOXA_VOICE_DIR) + "/" + VOXA_LANG + ".voice", std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }();
  return voice;
}

CorvumLexicon* lexicon() {
  static CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_ALL);
  return lex;
}

void putLe32(uint8_t* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t le32(const uint8_t* p) {
  return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

// An exactly sized heap copy, so that a read past the block's end is caught.
struct Block {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size;
  explicit Block(const std::vector<uint8_t>& from, size_t n)
      : bytes(new uint8_t[n ? n : 1]), size(n) {
    std::memcpy(bytes.get(), from.data(), n);
  }
};

const char* shortSentence() {
  return kLang == "es" ? "Sí, ya." : kLang == "pl" ? "Tak, już." : "Evet, şimdi.";
}

// Opens (sized or trusted) and speaks one short sentence; -100 when refused.
int32_t openAndSpeak(const Block& block, bool sized, int32_t control = -1, int32_t value = 0) {
  TTSFile* handle = sized ? TTSFileOpenSized_I(lexicon(), block.bytes.get(), block.size, 0, TTS_FORMAT_KEEP)
                          : TTSFileOpen_I(lexicon(), block.bytes.get(), 0, TTS_FORMAT_KEEP);
  if (!handle) return -100;
  if (control >= 0) TTSFileCtrl_I(handle, control, &value);
  tts_test::RecordingHost host;
  const int32_t r = tts_test::speakChunk(handle, tts_test::utf16(shortSentence()), 0, host);
  TTSFileClose_I(handle);
  return r;
}

TEST(VoiceHeader, SizedOpenTakesExactlyTheDocumentedRanges) {
  ASSERT_GT(defaultVoice().size(), 24u);
  const struct {
    size_t offset;
    const char* field;
    int32_t lowest, highest;
  } rows[] = {{4, "sample rate", 1000, 96000}, {8, "F0 mean", 50, 500}, {12, "F0 spread", 0, 250}};
  for (const auto& row : rows) {
    for (int64_t v : {int64_t{INT32_MIN}, int64_t{row.lowest} - 1, int64_t{row.lowest}, int64_t{row.highest},
                      int64_t{row.highest} + 1, int64_t{INT32_MAX}}) {
      Block block(defaultVoice(), defaultVoice().size());
      putLe32(block.bytes.get() + row.offset, static_cast<int32_t>(v));
      const bool inRange = v >= row.lowest && v <= row.highest;
      EXPECT_EQ(openAndSpeak(block, true), inRange ? TTS_DONE : -100) << row.field << " " << v;
      // A trusted block binds whatever it says; the arithmetic saturates.
      const int32_t r = openAndSpeak(block, false);
      EXPECT_TRUE(r == TTS_DONE || r == TTS_ERR_ABANDONED) << row.field << " " << v << ": " << r;
    }
  }
  // Counts: the unit count, the name slot, the codec order and the first code width.
  const int32_t units = le32(defaultVoice().data() + 16), slot = le32(defaultVoice().data() + 20);
  const size_t codec = 24 + size_t(units) * size_t(slot) + 4 * size_t(units);
  const struct {
    size_t offset;
    const char* field;
    std::vector<int32_t> refused;
  } counts[] = {{16, "unit count", {INT32_MIN, -1, 65537, INT32_MAX}},
                {20, "name slot", {INT32_MIN, -1, 0, 257, INT32_MAX}},
                {codec, "codec order", {INT32_MIN, -2, 0, 1, 19, 20, INT32_MAX}},
                {codec + 4, "code width", {INT32_MIN, -1, 17, INT32_MAX}}};
  for (const auto& row : counts) {
    for (int32_t v : row.refused) {
      Block block(defaultVoice(), defaultVoice().size());
      putLe32(block.bytes.get() + row.offset, v);
      EXPECT_EQ(openAndSpeak(block, true), -100) << row.field << " " << v;
    }
  }
}

TEST(VoiceHeader, PitchAndSpeedControlsAtTheirExtremesSpeak) {
  Block block(defaultVoice(), defaultVoice().size());
  for (int32_t control : {TTSC_SET_PITCH, TTSC_SET_SPEED}) {
    for (int32_t v : {INT32_MIN, -1, 0, 1, INT32_MAX}) {
      const int32_t r = openAndSpeak(block, true, control, v);
      EXPECT_TRUE(r == TTS_DONE || r == TTS_ERR_ABANDONED) << control << " " << v << ": " << r;
    }
  }
}

// Fixed-seed corruptions of the default voice through the sized open: each
// block is refused, or speaks a short sentence to its end.
TEST(VoiceCorruption, EveryCorruptionIsRefusedOrSpoken) {
  const std::vector<uint8_t>& voice = defaultVoice();
  ASSERT_GT(voice.size(), 1024u);
  std::mt19937 rng(19);
  auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
  auto flip = [&pick](std::vector<uint8_t>& b, size_t at) { b[at] ^= static_cast<uint8_t>(1u << pick(8)); };
  const int32_t extremes[] = {INT32_MIN, -1, 0, 1, 7, 255, 65536, INT32_MAX};
  int32_t refused = 0, spoken = 0;
  constexpr int32_t kCorruptions = 1000;
  for (int32_t i = 0; i < kCorruptions; ++i) {
    std::vector<uint8_t> bytes = voice;
    size_t size = bytes.size();
    switch (i % 5) {
      case 0:  // bit flips anywhere
        for (size_t n = 1 + pick(8); n > 0; --n) flip(bytes, pick(size));
        break;
      case 1: {  // a run of one byte value or of noise
        const size_t at = pick(size), length = 1 + pick(64);
        const int fill = static_cast<int>(pick(3));
        for (size_t k = at; k < at + length && k < size; ++k)
          bytes[k] = fill == 0 ? 0 : fill == 1 ? 0xFF : static_cast<uint8_t>(rng());
        break;
      }
      case 2:  // truncation
        size = pick(size);
        break;
      case 3: {  // an extreme value in one header word
        const size_t field = 1 + pick(5);
        putLe32(bytes.data() + 4 * field, extremes[pick(8)]);
        break;
      }
      default:  // bit flips in the first 16 KB: header, name and offset tables, codec header
        for (size_t n = 1 + pick(4); n > 0; --n) flip(bytes, pick(std::min<size_t>(size, 16384)));
        break;
    }
    const int32_t r = openAndSpeak(Block(bytes, size), true);
    if (r == -100) {
      ++refused;
    } else {
      ++spoken;
      EXPECT_EQ(r, TTS_DONE) << "corruption " << i;
    }
  }
  EXPECT_EQ(refused + spoken, kCorruptions);
  std::printf("%d corruptions: %d refused, %d spoken\n", kCorruptions, refused, spoken);
}

// Records every word entry of every pass of a chunk, and its normalised text.
struct WordRecorder {
  std::u16string normalised;
  std::vector<std::u16string> words;  // entries other than break marks, all passes in order
  int32_t passes = 0;
  static void onText(intptr_t user, const TTSChar16* text) {
    reinterpret_cast<WordRecorder*>(user)->normalised = reinterpret_cast<const char16_t*>(text);
  }
  static void onWords(intptr_t user, const TTSChar16* const* entries, const int32_t*, int32_t count) {
    auto* self = reinterpret_cast<WordRecorder*>(user);
    ++self->passes;
    for (int32_t i = 0; i < count; ++i) {
      const std::u16string e = reinterpret_cast<const char16_t*>(entries[i]);
      if (!e.empty() && e != u"," && e != u"." && e != u"?" && e != u"|") self->words.push_back(e);
    }
  }
};

bool isSeparator(char16_t c) { return c == u' ' || c == u',' || c == u'.' || c == u'?' || c == u'|'; }

// The words of a normalised text, each in pieces of at most 32 units.
std::vector<std::u16string> wordsOf(const std::u16string& normalised) {
  std::vector<std::u16string> out;
  for (size_t i = 0; i < normalised.size();) {
    if (isSeparator(normalised[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < normalised.size() && !isSeparator(normalised[end])) ++end;
    for (size_t piece = i; piece < end; piece += 32) out.push_back(normalised.substr(piece, std::min<size_t>(32, end - piece)));
    i = end;
  }
  return out;
}

TEST(WordListCapacity, EveryWordOfALongChunkIsSpoken) {
  std::u16string digits, oneLetterWords, shortWords;
  for (int i = 0; i < 512; ++i) digits += char16_t(u'0' + (i * 7) % 10);
  for (int i = 0; i < 256; ++i) oneLetterWords += u"a ";
  oneLetterWords.resize(512, u'a');
  for (int i = 0; i < 100; ++i) shortWords += kLang == "tr" ? u"bu ve o, " : kLang == "pl" ? u"to i on, " : u"y la de, ";
  const struct {
    const char* lang;  // "" every language
    std::u16string text;
    std::vector<std::string> mustSpeak;  // words (UTF-8) that must reach a word list
    int32_t minPasses;
  } rows[] = {
      {"", digits, {}, 2},
      {"", oneLetterWords, {}, 2},
      {"", shortWords.substr(0, 512), {}, 2},
      {"tr", tts_test::utf16("Dükkânlarda kullanılabileceklerinden çekoslovakyalılaştıramadıklarımızdanmışsınız."),
       {"Dükkânlarda", "kullanılabileceklerinden", "çekoslovakyalılaştıramadıklarımı", "zdanmışsınız"}, 1},
      {"tr", tts_test::utf16("Türkiye İstatistik Kurumu'nun verilerine göre 2023 yılında nüfus yüzde 1.1 artarak "
                             "85 milyon 372 bin 377 kişiye ulaşırken, nüfusu en az olan il 89 bin 317 kişiyle "
                             "Bayburt, en çok olan il 15 milyon 655 bin 924 kişiyle İstanbul, nüfus artış hızı "
                             "binde 43.5 ile en yüksek olan il ise 34 bin 466 kişiyle Tunceli oldu."),
       {"Bayburt", "Tunceli", "oldu"}, 1},
      {"pl", tts_test::utf16("Najdłuższymi słowami są dziewięćsetdziewięćdziesięciodziewięcioletni i "
                             "konstantynopolitańczykowianeczka."),
       {"dziewięćsetdziewięćdziesięciodzi", "ewięcioletni", "konstantynopolitańczykowianeczka"}, 1},
      {"es", tts_test::utf16("El esternocleidomastoideíticamente largo."),
       {"esternocleidomastoideíticamente", "largo"}, 1},
  };
  for (const auto& row : rows) {
    if (*row.lang != 0 && kLang != row.lang) continue;
    Block block(defaultVoice(), defaultVoice().size());
    TTSFile* handle = TTSFileOpenSized_I(lexicon(), block.bytes.get(), block.size, 0, TTS_FORMAT_KEEP);
    ASSERT_NE(handle, nullptr);
    WordRecorder recorder;
    TTSInspector inspector{reinterpret_cast<intptr_t>(&recorder), &WordRecorder::onText, &WordRecorder::onWords,
                           nullptr};
    TTSFileSetInspector_I(handle, &inspector);
    tts_test::RecordingHost host;
    const std::string label = tts_test::utf8(row.text.substr(0, 40));
    ASSERT_LE(TTSFileGetLegalLen_I(handle, reinterpret_cast<const TTSChar16*>(row.text.c_str())),
              static_cast<int32_t>(row.text.size()));
    EXPECT_EQ(tts_test::speakChunk(handle, row.text, 0, host), TTS_DONE) << label;
    EXPECT_EQ(host.markers(TTS_MARK_END), 1) << label;
    EXPECT_GE(recorder.passes, row.minPasses) << label;
    EXPECT_EQ(recorder.words, wordsOf(recorder.normalised)) << label;
    for (const std::string& w : row.mustSpeak) {
      bool found = false;
      for (const auto& e : recorder.words) found = found || tts_test::utf8(e) == w;
      EXPECT_TRUE(found) << label << ": " << w;
    }
    TTSFileClose_I(handle);
  }
}

}  // namespace
