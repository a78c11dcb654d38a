// The host program run as a user runs it: audio files in each format and rate,
// raw output, inspection, and every error path with a one-line message.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "prosody/phonesets.h"
#include "voicedb/voicedb_writer.h"

namespace {

// A voice with a unit for every phone pair of a phone set: synthetic spectra,
// pulse-excited sonorants, silent elsewhere. Enough to hear rhythm and pitch.
std::vector<uint8_t> everyPairVoice(const tts::PhoneSet& phones) {
  using namespace voxa::voicedb;
  CodecHeader codec;
  codec.order = 10;
  codec.widths.assign(10, 3);
  for (int i = 0; i < 10; ++i) {
    std::vector<int32_t> table;
    for (int c = 0; c < 8; ++c) table.push_back(((i + 1) * 280 + c * 20) << 4);  // ascending LSFs in Q10
    codec.codebooks.push_back(table);
  }
  codec.deemphasis = 0;
  codec.levelFloor = 100;
  codec.voicedNoResidual = 1;
  std::vector<Unit> units;
  for (int32_t a = 0; a < phones.phoneCount; ++a)
    for (int32_t b = 0; b < phones.phoneCount; ++b) {
      Unit u;
      u.name = std::string(phones.phoneNames[a]) + "-" + phones.phoneNames[b];
      u.firstPhonePeriods = 4;
      for (int p = 0; p < 8; ++p) {
        Period period;
        period.length = 120;
        period.gainCode = static_cast<uint8_t>(a == 0 && p < 4 ? 0 : 22);
        period.codes.assign(10, static_cast<uint32_t>((p + a + b) % 8));
        u.periods.push_back(period);
      }
      units.push_back(u);
    }
  VoiceHeader header;
  return writeVoiceDatabase(header, codec, units);
}

struct Result {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

class HostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/voxa-host-XXXXXX";
    dir = mkdtemp(pattern);
    const std::pair<const char*, const tts::PhoneSet*> voices[] = {
        {"es", &tts::kPhoneSetEs}, {"pl", &tts::kPhoneSetPl}, {"tr", &tts::kPhoneSetTr}};
    for (const auto& [lang, phones] : voices) {
      std::vector<uint8_t> block = everyPairVoice(*phones);
      std::ofstream(dir + "/" + lang + ".voice", std::ios::binary)
          .write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    }
  }
  static void TearDownTestSuite() { std::system(("rm -rf " + dir).c_str()); }

  static Result run(const std::string& args, const std::string& input = "") {
    const std::string in = dir + "/stdin.txt", out = dir + "/stdout.bin", err = dir + "/stderr.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = "VOXA_VOICE_DIR=" + dir + " " + VOXA_BINARY + " " + args + " < " + in + " > " + out +
                                " 2> " + err;
    Result r;
    const int status = std::system(command.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readAll(out);
    r.err = readAll(err);
    return r;
  }

  struct Audio {
    SF_INFO info{};
    std::vector<int16_t> samples;
  };
  static Audio readAudio(const std::string& path) {
    Audio a;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &a.info);
    if (!f) return a;
    a.samples.resize(static_cast<size_t>(a.info.frames));
    sf_read_short(f, a.samples.data(), a.info.frames);
    sf_close(f);
    return a;
  }
  static int32_t peak(const std::vector<int16_t>& s) {
    int32_t p = 0;
    for (int16_t v : s) p = std::max(p, std::abs(static_cast<int32_t>(v)));
    return p;
  }

  static std::string dir;
};
std::string HostTest::dir;

TEST_F(HostTest, SpeaksEachLanguageIntoAWavFile) {
  const std::pair<const char*, const char*> sentences[] = {
      {"es", "Hola, mundo. Hoy es martes."}, {"pl", "Dzień dobry, jak się masz?"}, {"tr", "Merhaba dünya, nasılsın?"}};
  for (const auto& [lang, text] : sentences) {
    const std::string wav = dir + "/" + lang + ".wav";
    Result r = run(std::string("-l ") + lang + " -o " + wav + " '" + text + "'");
    ASSERT_EQ(r.exitCode, 0) << lang << ": " << r.err;
    Audio a = readAudio(wav);
    EXPECT_EQ(a.info.samplerate, 16000) << lang;
    EXPECT_EQ(a.info.channels, 1) << lang;
    EXPECT_EQ(a.info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV) << lang;
    const double seconds = static_cast<double>(a.info.frames) / a.info.samplerate;
    EXPECT_GT(seconds, 0.8) << lang;  // about 25 characters of text
    EXPECT_LT(seconds, 6.0) << lang;
    EXPECT_GT(peak(a.samples), 500) << lang << ": silent";
    EXPECT_LT(peak(a.samples), 32767) << lang << ": clipped";
  }
}

TEST_F(HostTest, FormatsRatesAndRawOutput) {
  const std::string text = "'Uno, dos, tres.'";
  ASSERT_EQ(run("-o " + dir + "/a.wav " + text).exitCode, 0);
  const Audio wav = readAudio(dir + "/a.wav");
  ASSERT_GT(wav.info.frames, 0);

  ASSERT_EQ(run("-o " + dir + "/a.flac " + text).exitCode, 0);
  const Audio flac = readAudio(dir + "/a.flac");
  EXPECT_EQ(flac.info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_FLAC);
  EXPECT_EQ(flac.samples, wav.samples);  // lossless

  ASSERT_EQ(run("-o " + dir + "/a.ogg " + text).exitCode, 0);
  const Audio ogg = readAudio(dir + "/a.ogg");
  EXPECT_EQ(ogg.info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_OGG);

  for (int rate : {8000, 22050, 44100}) {
    const std::string path = dir + "/r" + std::to_string(rate) + ".wav";
    ASSERT_EQ(run("-r " + std::to_string(rate) + " -o " + path + " " + text).exitCode, 0);
    const Audio resampled = readAudio(path);
    EXPECT_EQ(resampled.info.samplerate, rate);
    const double expected = static_cast<double>(wav.info.frames) * rate / 16000;
    EXPECT_NEAR(static_cast<double>(resampled.info.frames), expected, expected * 0.02 + 100) << rate;
  }

  // The engine's own settings: its format's rate, a slower speed, another pitch.
  const struct {
    const char* options;
    int rate;
    double low, high;  // length against the default, in seconds
    bool sameSamples;
  } settings[] = {{"--format 0x0810", 8000, 0.98, 1.02, false}, {"--format 0x0B10", 11000, 0.98, 1.02, false},
                  {"--format 0xFF10", 16000, 1.0, 1.0, true},   {"-s 200", 16000, 1.5, 2.1, false},
                  {"-p 150", 16000, 0.95, 1.05, false}};  // phones are built of whole pitch periods
  for (const auto& s : settings) {
    ASSERT_EQ(run(std::string(s.options) + " -o " + dir + "/s.wav " + text).exitCode, 0) << s.options;
    const Audio a = readAudio(dir + "/s.wav");
    EXPECT_EQ(a.info.samplerate, s.rate) << s.options;
    const double r = static_cast<double>(a.info.frames) * 16000 / s.rate / static_cast<double>(wav.info.frames);
    EXPECT_GE(r, s.low) << s.options;
    EXPECT_LE(r, s.high) << s.options;
    EXPECT_EQ(a.samples == wav.samples, s.sameSamples) << s.options;
  }

  Result raw = run("-o - " + text);
  ASSERT_EQ(raw.exitCode, 0) << raw.err;
  ASSERT_EQ(raw.out.size(), wav.samples.size() * 2);
  EXPECT_EQ(0, std::memcmp(raw.out.data(), wav.samples.data(), raw.out.size()));  // little-endian host

  Result piped = run("-o " + dir + "/stdin.wav", "Texto desde la entrada.\n");
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_GT(readAudio(dir + "/stdin.wav").info.frames, 0);
}

TEST_F(HostTest, VerboseAndInspection) {
  Result v = run("--verbose -o " + dir + "/v.wav 'Uno, dos.'");
  ASSERT_EQ(v.exitCode, 0);
  EXPECT_NE(v.err.find("marker -2 at"), std::string::npos) << v.err;
  EXPECT_NE(v.err.find("marker -1 at"), std::string::npos) << v.err;
  Result i = run("--inspect 'Son las 10:30.'");
  ASSERT_EQ(i.exitCode, 0) << i.err;
  EXPECT_NE(i.out.find("; reading: everyday\n"), std::string::npos) << i.out;
  EXPECT_NE(i.out.find("; text: Son las diez y treinta."), std::string::npos) << i.out;
  Result literal = run("--literal --inspect 'Son las 10:30.'");
  EXPECT_NE(literal.out.find("; reading: literal\n"), std::string::npos) << literal.out;
  EXPECT_NE(literal.out.find("; text: Son las diez i treinta."), std::string::npos) << literal.out;
  EXPECT_NE(i.out.find("; words: Son/0"), std::string::npos) << i.out;
  EXPECT_NE(i.out.find("\nt "), std::string::npos) << i.out;  // a .pho line for a segment t

  // The trained duration model by default; --literal keeps the per-phone tables
  // (an unstressed /s/ inside the phrase lasts 112/1024 s = 109 ms).
  Result tables = run("--inspect --literal 'Son las casas.'");
  Result trained = run("--inspect 'Son las casas.'");
  ASSERT_EQ(tables.exitCode, 0) << tables.err;
  EXPECT_NE(tables.out.find("\ns 109 "), std::string::npos) << tables.out;
  EXPECT_NE(trained.out, tables.out);
}

TEST_F(HostTest, ErrorsAreOneLineAndNonZero) {
  auto expectError = [](const Result& r, int code, const std::string& words) {
    EXPECT_EQ(r.exitCode, code) << r.err;
    EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("voxa: ", 0), 0u) << r.err;
  };
  expectError(run("-l xx -o " + dir + "/x.wav hola"), 1, "unknown language");
  expectError(run("-v " + dir + "/missing.voice -o " + dir + "/x.wav hola"), 2, "cannot open voice file");
  std::ofstream(dir + "/bad.voice", std::ios::binary) << std::string(64, '\x05');
  expectError(run("-v " + dir + "/bad.voice -o " + dir + "/x.wav hola"), 2, "not a version-6");
  std::string truncated = readAll(dir + "/es.voice").substr(0, 200);
  std::ofstream(dir + "/short.voice", std::ios::binary) << truncated;
  expectError(run("-v " + dir + "/short.voice -o " + dir + "/x.wav hola"), 2, "damaged");
  expectError(run("-f " + dir + "/nothing.txt -o " + dir + "/x.wav"), 2, "cannot read");
  std::ofstream(dir + "/bad.txt", std::ios::binary) << "hola\nmal \xC3\x28 texto";
  expectError(run("-f " + dir + "/bad.txt -o " + dir + "/x.wav"), 2, "invalid UTF-8 in " + dir + "/bad.txt at line 2");
  expectError(run("-o /nonexistent/dir/x.wav hola"), 2, "cannot write");
  expectError(run("-o " + dir + "/x.mp3 hola"), 2, "unsupported output file type");
  expectError(run("hola"), 1, "no output");
  expectError(run("--speed 20 -o " + dir + "/x.wav hola"), 1, "invalid speed");
  expectError(run("--bogus"), 1, "unknown option");
  EXPECT_EQ(run("--help").exitCode, 0);
  Result version = run("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("voxa ", 0), 0u);
}

TEST_F(HostTest, WarnsAboutSkippedOrUnspeakableInputAndStillSucceeds) {
  const struct {
    const char* text;
    const char* warning;  // expected on standard error; "" none
  } cases[] = {
      {"hola, \u00BFqu\u00E9 tal?", ""},
      {"hola \U0001F600\U0001F600 \u043C\u0438\u0440", "skipped 5 characters the language cannot speak"},
      {"\U0001F600 --- ...", "nothing speakable in the input"},
  };
  for (const auto& c : cases) {
    Result r = run("--inspect", c.text);
    EXPECT_EQ(r.exitCode, 0) << c.text;
    if (*c.warning == 0) EXPECT_EQ(r.err, "") << c.text;
    else EXPECT_NE(r.err.find(std::string("voxa: warning: ") + c.warning), std::string::npos) << r.err;
  }
}

}  // namespace

// A newspaper-like paragraph per language in the host's default (everyday)
// reading: no digit-by-digit pauses, no sentence break inside a number or
// after an abbreviation.
TEST_F(HostTest, EverydayParagraphs) {
  struct Paragraph {
    const char* language;
    const char* text;
    int sentences;
    const char* words;  // a stretch of the normalised text
  };
  const Paragraph paragraphs[] = {
      {"es",
       "El Ayuntamiento aprobó ayer un presupuesto de 3.500.000 euros para 2025. La Sra. Martínez, concejala de "
       "Obras, explicó que se repararán 275 calles y 12 400 m de aceras. Las obras empezarán el 1.º de marzo a las "
       "9:30 y durarán 18 meses. Según el Dr. Gómez, la temperatura media subió 1,5 °C en 20 años.",
       4, "doce mil cuatrocientos metros de aceras"},
      {"pl",
       "Rada miasta przyznała wczoraj 2,5 mln zł na remont 14 ulic. Prace na ul. Długiej potrwają 18 miesięcy, a "
       "koszt wyniesie 12 400 zł. Dr Nowak zajął 2. miejsce w konkursie, w którym startowało 275 osób. Temperatura "
       "spadła o 7 °C, m.in. w Krakowie i Gdańsku.",
       4, "startowało dwieście siedemdziesiąt pięć osób"},
      {"tr",
       "Belediye dün 48.200 kişilik stadyum için 1.250.000 TL ayırdı. Dr. Ayşe Yılmaz, fiyatların %25 arttığını "
       "ve faizin 12,5 olduğunu söyledi. Atatürk Cad. üzerindeki çalışmalar 3. ayında 90 km/h hız sınırıyla "
       "sürüyor. Ankara'da sıcaklık -4 °C oldu.",
       4, "kırk sekiz bin iki yüz kişilik"},
  };
  for (const Paragraph& p : paragraphs) {
    Result r = run(std::string("-l ") + p.language + " --inspect -f -", p.text);
    ASSERT_EQ(r.exitCode, 0) << p.language << ": " << r.err;
    EXPECT_NE(r.out.find(p.words), std::string::npos) << r.out;
    int stops = 0, minors = 0;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("; words:", 0) != 0) continue;
      for (size_t at = line.find(" ./4"); at != std::string::npos; at = line.find(" ./4", at + 1)) ++stops;
      for (size_t at = line.find(" |/"); at != std::string::npos; at = line.find(" |/", at + 1)) ++minors;
    }
    EXPECT_EQ(stops, p.sentences) << r.out;
    EXPECT_EQ(minors, 0) << r.out;
  }
}
