// Input chunking of engine_es.
#include <gtest/gtest.h>

#include "model/language.h"
#include "chunking_test_util.h"
#include "text/chunking.h"
#include "tts_engine.h"

namespace {

using text_test::lettersWithSpaces;
const tts::TextLanguage* const kEs = &tts::kTextLanguageEs;

int32_t chunk(const std::u16string& s) { return tts::legalChunkLength(kEs, s.c_str()); }

TEST(ChunkingEs, SkipsAndChunks) {
  const std::u16string text = u"  \u00A1Hola!";
  EXPECT_EQ(chunk(text), -3);
  EXPECT_EQ(chunk(text.substr(3)), 5);
  const std::u16string lines = u"Hola\nmundo";
  EXPECT_EQ(chunk(lines), 4);
  EXPECT_EQ(chunk(lines.substr(4)), -1);
  EXPECT_EQ(chunk(u""), 0);
  EXPECT_EQ(chunk(u" ,;. "), -5);
  EXPECT_EQ(chunk(std::u16string(700, u'.')), -512);
  EXPECT_EQ(chunk(u"$5 y 3\u20AC, \u00D1and\u00FA."), 15);
  EXPECT_EQ(chunk(u"5 + 3"), 2);
  EXPECT_EQ(chunk(u"Za\u017C\u00F3\u0142\u0107"), 2);
  EXPECT_EQ(chunk(u"\u0130stanbul"), -1);
  EXPECT_EQ(tts::legalChunkLength(kEs, nullptr), -10);
}

TEST(ChunkingEs, BackOffToBreaks) {
  EXPECT_EQ(chunk(lettersWithSpaces({100, 200, 400, 550})), 401);
  auto withComma = lettersWithSpaces({100, 200, 400, 550});
  withComma[300] = u',';
  EXPECT_EQ(chunk(withComma), 301);
  auto withStop = withComma;
  withStop[270] = u'.';
  EXPECT_EQ(chunk(withStop), 271);  // sentence ends first, even below other marks
  EXPECT_EQ(chunk(lettersWithSpaces({})), 512);
  EXPECT_EQ(chunk(lettersWithSpaces({100, 255})), 512);  // below the floor
  EXPECT_EQ(chunk(lettersWithSpaces({256})), 257);       // the floor itself is searched
  auto exact = lettersWithSpaces({}, 512);
  exact[299] = u'.';
  EXPECT_EQ(chunk(exact), 300);
  EXPECT_EQ(chunk(lettersWithSpaces({}, 511)), 511);
  auto cut = lettersWithSpaces({}, 600);
  cut[511] = u'\t';
  EXPECT_EQ(chunk(cut), 511);
}

TEST(ChunkingEs, ExportedEntry) {
  const char16_t text[] = u"Hola";
  EXPECT_EQ(TTSFileGetLegalLen_I(nullptr, text), TTS_ERR_ARGUMENT);
  // The handle is only tested for null.
  auto* dummy = reinterpret_cast<TTSFile*>(static_cast<uintptr_t>(0x10));
  EXPECT_EQ(TTSFileGetLegalLen_I(dummy, nullptr), TTS_ERR_ARGUMENT);
  if (tts::kLanguage.text == nullptr) GTEST_SKIP() << "language table not wired to the text table yet";
  EXPECT_EQ(TTSFileGetLegalLen_I(dummy, text), 4);
  EXPECT_EQ(TTSFileGetLegalLen_I(dummy, lettersWithSpaces({}).c_str()), 512);
}

}  // namespace
