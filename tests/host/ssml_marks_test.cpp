// The host's --marks output and its SSML subset, run as a user runs them with
// the default voices: every element, nesting, entities, malformed documents.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct HostRun {
  int exitCode = -1;
  std::string err;
  std::vector<std::string> marks;  // lines of the --marks file
  long frames = 0;                 // samples of the audio written
};

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string tempDir() {
  static std::string dir;
  if (dir.empty()) {
    char pattern[] = "/tmp/voxa-ssml-XXXXXX";
    dir = mkdtemp(pattern);
  }
  return dir;
}

// Runs voxa on `input` (standard input) with `args`, audio and marks into files.
HostRun voxa(const std::string& args, const std::string& input) {
  const std::string dir = tempDir();
  std::ofstream(dir + "/in.txt", std::ios::binary) << input;
  std::remove((dir + "/marks.jsonl").c_str());
  const std::string command = std::string(VOXA_BINARY) + " " + args + " -o " + dir + "/out.wav --marks " +
                              dir + "/marks.jsonl < " + dir + "/in.txt 2> " + dir + "/err.txt";
  HostRun r;
  const int status = std::system(command.c_str());
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = readAll(dir + "/err.txt");
  std::istringstream lines(readAll(dir + "/marks.jsonl"));
  for (std::string line; std::getline(lines, line);) r.marks.push_back(line);
  SF_INFO info{};
  if (SNDFILE* f = sf_open((dir + "/out.wav").c_str(), SFM_READ, &info)) {
    r.frames = static_cast<long>(info.frames);
    sf_close(f);
  }
  return r;
}

// A string or number member of one JSON line ("" when absent).
std::string field(const std::string& line, const std::string& key) {
  const std::regex text("\"" + key + "\":\"((\\\\.|[^\"\\\\])*)\""), number("\"" + key + "\":([0-9.]+)");
  std::smatch m;
  if (std::regex_search(line, m, text)) return m[1];
  if (std::regex_search(line, m, number)) return m[1];
  return "";
}

long number(const std::string& line, const std::string& key) { return std::atol(field(line, key).c_str()); }

// "word" of the word lines, and "#name" for the mark lines, in order.
std::string spoken(const HostRun& r) {
  std::string out;
  for (const std::string& line : r.marks) {
    const std::string mark = field(line, "mark");
    out += (out.empty() ? "" : " ") + (mark.empty() ? field(line, "word") : "#" + mark);
  }
  return out;
}

TEST(Marks, WordLinesPointIntoTheInputInOrder) {
  // Two-byte and BMP characters before the words make UTF-8 and UTF-16 offsets differ.
  const std::string input = "Pagué 1.250 € el 3/5/2020 en Ankara'ya.";
  const HostRun r = voxa("-l es", input);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_GE(r.marks.size(), 8u);
  long lastSample = -1, lastOffset = -1;
  std::vector<std::string> texts;
  for (const std::string& line : r.marks) {
    const long offset = number(line, "offset"), length = number(line, "length");
    ASSERT_LE(offset + length, static_cast<long>(input.size())) << line;
    EXPECT_EQ(field(line, "text"), input.substr(static_cast<size_t>(offset), static_cast<size_t>(length)))
        << line;
    EXPECT_GE(offset, lastOffset) << line;
    EXPECT_GT(number(line, "sample"), lastSample) << line;
    EXPECT_LT(number(line, "sample"), r.frames) << line;
    EXPECT_NEAR(std::atof(field(line, "time").c_str()), number(line, "sample") / 16000.0, 0.001) << line;
    lastSample = number(line, "sample");
    lastOffset = offset;
    if (texts.empty() || texts.back() != field(line, "text")) texts.push_back(field(line, "text"));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Pagué", "1.250 €", "el", "3/5/2020", "en", "Ankara'ya"}));
  // "1.250 €" starts after "Pagué " : 7 bytes, 6 UTF-16 units; it is 9 bytes and 7 units long.
  const std::string& amount = r.marks[1];
  EXPECT_EQ(number(amount, "offset"), 7);
  EXPECT_EQ(number(amount, "offset16"), 6);
  EXPECT_EQ(number(amount, "length"), 9);
  EXPECT_EQ(number(amount, "length16"), 7);
}

struct SsmlCase {
  const char* what;
  const char* document;
  const char* words;    // spoken words and #marks, in order
  const char* warning;  // part of a warning expected on standard error, or ""
};

TEST(Ssml, ElementsNestingAndEntities) {
  const SsmlCase cases[] = {
      {"speak, p, s", "<speak><p><s>uno dos</s><s>tres</s></p><p>cuatro</p></speak>", "uno dos tres cuatro",
       ""},
      {"xml declaration and namespace",
       "<?xml version=\"1.0\"?>\n<speak version=\"1.1\" xmlns=\"http://www.w3.org/2001/10/synthesis\" "
       "xml:lang=\"es-ES\">hola</speak>",
       "hola", ""},
      {"break", "<speak>uno<break time=\"300ms\"/>dos<break strength=\"strong\"/>tres<break/>cuatro</speak>",
       "uno dos tres cuatro", ""},
      {"bad break", "<speak>uno<break time=\"mucho\"/>dos</speak>", "uno dos", "break time 'mucho'"},
      {"prosody",
       "<speak><prosody rate=\"80%\" pitch=\"150Hz\">uno</prosody> <prosody "
       "pitch=\"-10%\">dos</prosody></speak>",
       "uno dos", ""},
      {"bad prosody", "<speak><prosody pitch=\"alto\">uno</prosody></speak>", "uno", "prosody pitch 'alto'"},
      {"say-as characters", "<speak><say-as interpret-as=\"characters\">abc</say-as></speak>", "a b c", ""},
      {"say-as digits", "<speak><say-as interpret-as=\"digits\">123</say-as></speak>", "uno dos tres", ""},
      {"say-as cardinal", "<speak><say-as interpret-as=\"cardinal\">21</say-as></speak>", "veintiuno", ""},
      {"say-as ordinal", "<speak><say-as interpret-as=\"ordinal\">3</say-as></speak>", "tercero", ""},
      {"say-as date", "<speak><say-as interpret-as=\"date\" format=\"mdy\">5/3/2020</say-as></speak>",
       "tres de mayo de dos mil veinte", ""},
      {"say-as telephone", "<speak><say-as interpret-as=\"telephone\">91-23</say-as></speak>",
       "nueve uno dos tres", ""},
      {"say-as unknown", "<speak><say-as interpret-as=\"color\">rojo</say-as></speak>", "rojo", "'color'"},
      {"sub", "<speak><sub alias=\"Naciones Unidas\">ONU</sub></speak>", "Naciones Unidas", ""},
      {"lang of the handle", "<speak><lang xml:lang=\"es\">sí</lang></speak>", "sí", ""},
      {"lang of another", "<speak><lang xml:lang=\"en-GB\">yes</lang></speak>", "yes", "language 'en-GB'"},
      {"mark", "<speak>uno <mark name=\"a\"/>dos<mark name=\"b\"/></speak>", "uno #a dos #b", ""},
      {"phoneme", "<speak><phoneme alphabet=\"corvum\" ph=\"g a1 t o\">perro</phoneme></speak>", "voxapha",
       ""},
      {"phoneme alphabet", "<speak><phoneme alphabet=\"ipa\" ph=\"ˈgato\">perro</phoneme></speak>", "perro",
       "alphabet 'ipa'"},
      {"nesting",
       "<speak><p><s><prosody rate=\"fast\">el <say-as interpret-as=\"ordinal\">2</say-as> "
       "<sub alias=\"piso\">p.</sub></prosody> <mark name=\"m\"/>ya</s></p></speak>",
       "el segundo piso #m ya", ""},
      {"entities", "<speak>pan &amp; vino &lt;3 &#66;ueno</speak>", "pan vino tres Bueno", ""},
      {"unknown element", "<speak>uno <emphasis>dos</emphasis></speak>", "uno dos",
       "unknown element <emphasis>"},
  };
  for (const SsmlCase& c : cases) {
    const HostRun r = voxa("-l es", c.document);
    ASSERT_EQ(r.exitCode, 0) << c.what << ": " << r.err;
    EXPECT_EQ(spoken(r), c.words) << c.what;
    if (*c.warning)
      EXPECT_NE(r.err.find(c.warning), std::string::npos) << c.what << ": " << r.err;
    else
      EXPECT_EQ(r.err, "") << c.what;
  }
}

TEST(Ssml, SourcesPausesAndRate) {
  // Rewritten words point at the element's content; entity words at their references.
  HostRun r = voxa("-l es", "<speak>a <sub alias=\"dos\">2</sub> &#66;ueno</speak>");
  ASSERT_EQ(r.marks.size(), 3u);
  EXPECT_EQ(field(r.marks[1], "text"), "2");
  EXPECT_EQ(field(r.marks[2], "text"), "&#66;ueno");
  // A break lengthens the output by its time; a slower rate by more than nothing.
  const long plain = voxa("-l es", "<speak>uno dos</speak>").frames;
  const long paused = voxa("-l es", "<speak>uno <break time=\"1s\"/>dos</speak>").frames;
  const long slow = voxa("-l es", "<speak><prosody rate=\"50%\">uno dos</prosody></speak>").frames;
  EXPECT_GT(paused - plain, 15000);
  EXPECT_GT(slow, plain + plain / 20);
  // Plain text that starts with <speak is read as SSML; --ssml forces it.
  EXPECT_EQ(spoken(voxa("-l es --ssml", "  <speak>hola</speak>")), "hola");
}

TEST(Ssml, MalformedDocumentsFailWithLineAndColumn) {
  std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE speak [<!ENTITY a \"hola hola hola hola\">";
  for (char e = 'b'; e <= 'h'; ++e) {  // each entity ten of the one before: 4e7 words
    laughs += std::string("<!ENTITY ") + e + " \"";
    for (int i = 0; i < 10; ++i) laughs += std::string("&") + char(e - 1) + ";";
    laughs += "\">";
  }
  laughs += "]><speak>&h;</speak>";
  const std::pair<const char*, const char*> cases[] = {
      {laughs.c_str(), "amplification"},
      {"<speak>uno <s>dos</speak>", "line 1, column 20: mismatched tag"},
      {"<speak>\nuno &nada; dos</speak>", "line 2, column 5: undefined entity"},
      {"<speak>uno", "line 1, column 11: no element found"},
      {"<speak a=\"1\" a=\"2\"/>", "duplicate attribute"},
      {"<speak>uno</speak><speak/>", "junk after document element"},
  };
  for (const auto& [document, message] : cases) {
    const HostRun r = voxa("-l es", document);
    EXPECT_EQ(r.exitCode, 2) << document;
    EXPECT_NE(r.err.find(message), std::string::npos) << document << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  const HostRun notSpeak = voxa("-l es --ssml", "<p>uno</p>");
  EXPECT_EQ(notSpeak.exitCode, 2);
  EXPECT_NE(notSpeak.err.find("root is <p>, not <speak>"), std::string::npos) << notSpeak.err;
}

}  // namespace
