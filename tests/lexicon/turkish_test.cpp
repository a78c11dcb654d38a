// Turkish pronunciations: hand-checked words, one group per rule, and checks
// that every symbol produced maps to a phone of the Turkish phone set.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "corvum.h"
#include "support/test_host.h"
#include "word_file.h"
#include "language_rules.h"
#include "prosody/phonesets.h"

namespace {

using tts_test::utf16;

// UTF-16 code units as hex, for failure messages.
std::string hex(const std::u16string& w) {
  std::string s;
  char buf[8];
  for (char16_t c : w) {
    std::snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(c));
    s += buf;
  }
  return s;
}

struct Case {
  const char* word;      // UTF-8
  const char* expected;  // compact: one character per symbol, "1" marks the stressed vowel before it
};

std::string pron(const std::u16string& word) {
  std::string out;
  corvum::pronounceTurkish(word, out);
  return out;
}

// "kita1p" → "k i t a1 p" (every Turkish lexicon symbol is one character).
std::string expand(const std::string& compact) {
  std::string s;
  for (char c : compact) {
    if (c == '1' || c == '2' || c == '0') {
      s.push_back(c);
      continue;
    }
    if (!s.empty()) s.push_back(' ');
    s.push_back(c);
  }
  return s;
}

template <size_t N>
void checkGroup(const char* group, const Case (&cases)[N]) {
  size_t passed = 0;
  for (const Case& c : cases) {
    std::string got = pron(utf16(c.word));
    std::string want = expand(c.expected);
    EXPECT_EQ(got, want) << group << ": " << c.word;
    if (got == want) ++passed;
  }
  std::printf("[ turkish  ] %-22s %zu/%zu\n", group, passed, N);
}

TEST(TurkishLetters, PlainLettersFinalStress) {
  static const Case cases[] = {
      {"kitap", "kita1p"},      {"kalem", "kale1m"},         {"ev", "e1v"},
      {"el", "e1l"},            {"at", "a1t"},               {"deniz", "deni1z"},
      {"defter", "defte1r"},    {"fener", "fene1r"},         {"gemi", "gemi1"},
      {"hava", "hava1"},        {"hayat", "haya1t"},         {"jeton", "jeto1n"},
      {"jandarma", "jandarma1"}, {"kapı", "kapI1"},          {"limon", "limo1n"},
      {"meyve", "meyve1"},      {"nar", "na1r"},             {"otel", "ote1l"},
      {"pazar", "paza1r"},      {"resim", "resi1m"},         {"saat", "saa1t"},
      {"tavuk", "tavu1k"},      {"uzun", "uzu1n"},           {"vatan", "vata1n"},
      {"yol", "yo1l"},          {"zeytin", "zeyti1n"},       {"bardak", "barda1k"},
      {"elma", "elma1"},        {"kedi", "kedi1"},           {"köpek", "kOpe1k"},
      {"su", "su1"},            {"yemek", "yeme1k"},         {"ekmek", "ekme1k"},
      {"bilgisayar", "bilgisaya1r"}, {"arkadaş", "arkada1S"}, {"kardeş", "karde1S"},
      {"öğretmen", "O:retme1n"}, {"telefon", "telefo1n"},    {"hastane", "hastane1"},
      {"kitaplık", "kitaplI1k"}, {"gazeteci", "gazeteci1"},  {"boya", "boya1"},
      {"dere", "dere1"},        {"tepe", "tepe1"},           {"ayakkabı", "ayakkabI1"},
      {"otobüs", "otobU1s"},    {"televizyon", "televizyo1n"}, {"kalemler", "kalemle1r"},
      {"evlerimizde", "evlerimizde1"}, {"gözlükçü", "gOzlUkCU1"}, {"yorgun", "yorgu1n"},
      {"quiz", "kui1z"},        {"taxi", "taksi1"},          {"wifi", "vifi1"},
  };
  checkGroup("plain letters", cases);
}

TEST(TurkishLetters, SpecialLettersAndCircumflex) {
  static const Case cases[] = {
      {"çay", "Ca1y"},          {"çiçek", "CiCe1k"},         {"ağaç", "a:a1C"},
      {"dağ", "da1:"},          {"yağmur", "ya:mu1r"},       {"değer", "de:e1r"},
      {"öğrenci", "O:renci1"},  {"ışık", "ISI1k"},           {"kız", "kI1z"},
      {"sıcak", "sIca1k"},      {"şeker", "Seke1r"},         {"şarkı", "SarkI1"},
      {"güneş", "gUne1S"},      {"üzüm", "UzU1m"},           {"göz", "gO1z"},
      {"gönül", "gOnU1l"},      {"büyük", "bUyU1k"},         {"küçük", "kUCU1k"},
      {"düşünce", "dUSUnce1"},  {"kâğıt", "ka:I1t"},         {"dükkân", "dUkka1n"},
      {"hikâye", "hikaye1"},    {"mahkûm", "mahku1m"},       {"millî", "milli1"},
      {"rüzgâr", "rUzga1r"},    {"soğuk", "so:u1k"},         {"doğru", "do:ru1"},
      {"çoğunluk", "Co:unlu1k"}, {"jüri", "jUri1"},          {"garaj", "gara1j"},
      {"müjde", "mUjde1"},      {"eğitim", "e:iti1m"},       {"iğne", "i:ne1"},
      {"böcek", "bOce1k"},      {"çöp", "CO1p"},             {"ördek", "Orde1k"},
      {"uçak", "uCa1k"},        {"kuş", "ku1S"},             {"taş", "ta1S"},
      {"göğüs", "gO:U1s"},      {"öğle", "O:le1"},           {"sözlük", "sOzlU1k"},
      {"ağabey", "a1:abey"},    {"üniversite", "Unive1rsite"}, {"cam", "ca1m"},
  };
  checkGroup("special letters", cases);
}

TEST(TurkishLetters, TurkishCaseRules) {
  static const Case cases[] = {
      {"ISLAK", "Isla1k"},      {"KIRMIZI", "kIrmIzI1"},     {"İNSAN", "insa1n"},
      {"Irmak", "Irma1k"},      {"İnsan", "insa1n"},         {"Ilık", "IlI1k"},
      {"İğne", "i:ne1"},        {"İYİLİK", "iyili1k"},       {"DİKKAT", "dikka1t"},
      {"KAPILAR", "kapIla1r"},  {"İSTANBUL", "ista1nbul"},   {"ANKARA", "a1nkara"},
      {"Çocuk", "Cocu1k"},      {"ÇOCUKLAR", "Cocukla1r"},   {"ŞEKER", "Seke1r"},
      {"ÖĞRETMEN", "O:retme1n"}, {"Isparta", "Ispa1rta"},    {"Iğdır", "I1:dIr"},
      {"Irak", "I1rak"},        {"İran", "i1ran"},           {"Iki", "iki1"},
      {"aralik", "aralI1k"},    {"I\xCC\x87stanbul", "ista1nbul"},
      {"c\xCC\xA7" "ay", "Ca1y"}, {"s\xCC\xA7" "eker", "Seke1r"}, {"dag\xCC\x86", "da1:"},
      {"o\xCC\x88rdek", "Orde1k"}, {"ka\xCC\x82g\xCC\x86\xC4\xB1t", "ka:I1t"},
      {"İ", "i1"},              {"I", "I1"},
  };
  checkGroup("case rules", cases);
}

TEST(TurkishStress, PlaceAndPersonalNames) {
  static const Case cases[] = {
      {"Ankara", "a1nkara"},    {"Ankara'da", "a1nkarada"},  {"Ankaraya", "a1nkaraya"},
      {"İstanbul", "ista1nbul"}, {"İstanbul'da", "ista1nbulda"}, {"İstanbullu", "istanbullu1"},
      {"İzmir", "i1zmir"},      {"İzmir'e", "i1zmire"},      {"Türkiye", "tU1rkiye"},
      {"Türkiye'nin", "tU1rkiyenin"}, {"Avrupa", "avru1pa"}, {"Avrupa'ya", "avru1paya"},
      {"Antalya", "anta1lya"},  {"Adana", "a1dana"},         {"Bursa", "bu1rsa"},
      {"Konya", "ko1nya"},      {"Trabzon", "tra1bzon"},     {"Eskişehir", "eski1Sehir"},
      {"Gaziantep", "gazi1antep"}, {"Çanakkale", "Cana1kkale"}, {"Kayseri", "ka1yseri"},
      {"Edirne", "edi1rne"},    {"Sakarya", "saka1rya"},     {"Almanya", "alma1nya"},
      {"İngiltere", "ingilte1re"}, {"Amerika", "ame1rika"},  {"Londra", "lo1ndra"},
      {"Paris", "pa1ris"},      {"Rusya", "ru1sya"},         {"Anadolu", "ana1dolu"},
      {"Karadeniz", "kara1deniz"}, {"Ahmet", "a1hmet"},      {"Mehmet", "me1hmet"},
      {"Ayşe", "a1ySe"},        {"Mustafa", "mu1stafa"},     {"Atatürk", "a1tatUrk"},
      {"Ali", "a1li"},          {"alim", "ali1m"},           {"roman", "roma1n"},
      {"Roma", "ro1ma"},        {"Romada", "ro1mada"},       {"Bursalı", "bursalI1"},
      {"Kıbrıs", "kI1brIs"},    {"Ankaradan", "a1nkaradan"}, {"Türkiyede", "tU1rkiyede"},
      {"pazartesi", "paza1rtesi"}, {"salı", "sa1lI"},        {"çarşamba", "CarSa1mba"},
      {"perşembe", "perSe1mbe"}, {"cuma", "cu1ma"},          {"cumartesi", "cuma1rtesi"},
      {"cumaya", "cu1maya"},    {"pazar", "paza1r"},         {"mayıs", "ma1yIs"},
      {"ağustos", "a:u1stos"},  {"ocak", "oca1k"},           {"aralık", "aralI1k"},
  };
  checkGroup("names", cases);
}

TEST(TurkishStress, AdverbsAndLexicalExceptions) {
  static const Case cases[] = {
      {"şimdi", "Si1mdi"},      {"şimdiden", "Si1mdiden"},   {"şimdilik", "Simdili1k"},
      {"sonra", "so1nra"},      {"sonraki", "so1nraki"},     {"sonrası", "so1nrasI"},
      {"yarın", "ya1rIn"},      {"yarından", "ya1rIndan"},   {"bugün", "bu1gUn"},
      {"bugünkü", "bu1gUnkU"},  {"belki", "be1lki"},         {"hemen", "he1men"},
      {"henüz", "he1nUz"},      {"bazen", "ba1zen"},         {"sadece", "sa1dece"},
      {"yalnız", "ya1lnIz"},    {"ancak", "a1ncak"},         {"fakat", "fa1kat"},
      {"ama", "a1ma"},          {"çünkü", "CU1nkU"},         {"yani", "ya1ni"},
      {"evet", "e1vet"},        {"hayır", "ha1yIr"},         {"lütfen", "lU1tfen"},
      {"merhaba", "me1rhaba"},  {"nasıl", "na1sIl"},         {"nasılsın", "na1sIlsIn"},
      {"neden", "ne1den"},      {"nerede", "ne1rede"},       {"burada", "bu1rada"},
      {"aşağı", "a1Sa:I"},      {"yukarı", "yu1karI"},       {"dışarı", "dI1SarI"},
      {"öyle", "O1yle"},        {"böyle", "bO1yle"},         {"önce", "O1nce"},
      {"kadar", "ka1dar"},      {"gibi", "gi1bi"},           {"için", "i1Cin"},
      {"ile", "i1le"},          {"daha", "da1ha"},           {"değil", "de1:il"},
      {"herhalde", "herha1lde"}, {"anne", "a1nne"},          {"annem", "a1nnem"},
      {"annemin", "a1nnemin"},  {"anneler", "a1nneler"},     {"annelik", "anneli1k"},
      {"baba", "ba1ba"},        {"babam", "ba1bam"},         {"masa", "ma1sa"},
      {"masada", "ma1sada"},    {"masal", "masa1l"},         {"lokanta", "loka1nta"},
      {"lokantada", "loka1ntada"}, {"gazete", "gaze1te"},    {"banka", "ba1nka"},
      {"bankalar", "ba1nkalar"}, {"fabrika", "fa1brika"},    {"tiyatro", "tiya1tro"},
      {"sandalye", "sanda1lye"}, {"patates", "pata1tes"},    {"domates", "doma1tes"},
      {"makine", "ma1kine"},    {"pencere", "pe1ncere"},     {"politika", "poli1tika"},
      {"çikolata", "Cikola1ta"}, {"polis", "po1lis"},        {"tamam", "tama1m"},
      {"hamam", "hama1m"},      {"namaz", "nama1z"},         {"komedi", "komedi1"},
  };
  checkGroup("lexical exceptions", cases);
}

TEST(TurkishStress, QuestionParticleAndClitics) {
  static const Case cases[] = {
      {"mi", "mi"},           {"mı", "mI"},           {"mu", "mu"},           {"mü", "mU"},
      {"misin", "misin"},     {"mısın", "mIsIn"},     {"musun", "musun"},     {"müsün", "mUsUn"},
      {"miyim", "miyim"},     {"misiniz", "misiniz"}, {"mıydı", "mIydI"},     {"midir", "midir"},
      {"de", "de"},           {"da", "da"},           {"ki", "ki"},           {"MI", "mI"},
  };
  checkGroup("unstressed clitics", cases);
}

TEST(TurkishStress, NegativeSuffixStressesTheSyllableBefore) {
  static const Case cases[] = {
      {"gelmedi", "ge1lmedi"},     {"gelmedim", "ge1lmedim"},     {"gelmedik", "ge1lmedik"},
      {"yapmadı", "ya1pmadI"},     {"yapmadım", "ya1pmadIm"},     {"yapmadılar", "ya1pmadIlar"},
      {"okumadım", "oku1madIm"},   {"anlamadım", "anla1madIm"},   {"gelmiyor", "ge1lmiyor"},
      {"gelmiyorum", "ge1lmiyorum"}, {"yapmıyor", "ya1pmIyor"},   {"okumuyor", "oku1muyor"},
      {"görmüyor", "gO1rmUyor"},   {"gelmeyecek", "ge1lmeyecek"}, {"yapmayacak", "ya1pmayacak"},
      {"yapmayacağım", "ya1pmayaca:Im"}, {"gelmez", "ge1lmez"},   {"olmaz", "o1lmaz"},
      {"bilmez", "bi1lmez"},       {"gelmemiş", "ge1lmemiS"},     {"yapmamış", "ya1pmamIS"},
      {"gelmese", "ge1lmese"},     {"yapmasam", "ya1pmasam"},     {"gelmemeli", "ge1lmemeli"},
      {"gelmeyin", "ge1lmeyin"},   {"yapmayalım", "ya1pmayalIm"}, {"gelmeden", "ge1lmeden"},
      {"yapmadan", "ya1pmadan"},   {"gelmemek", "ge1lmemek"},     {"gelemedim", "gele1medim"},
      {"istemiyorum", "iste1miyorum"}, {"beklemedim", "bekle1medim"}, {"gelmem", "ge1lmem"},
      // "m" + vowel that is not the negative suffix
      {"yemek", "yeme1k"},         {"zaman", "zama1n"},           {"adam", "ada1m"},
      {"kemer", "keme1r"},         {"gelmiş", "gelmi1S"},         {"geldim", "geldi1m"},
  };
  checkGroup("negative -me/-ma", cases);
}

TEST(TurkishStress, ProgressiveYorStressesTheVowelBefore) {
  static const Case cases[] = {
      {"geliyor", "geli1yor"},     {"geliyorum", "geli1yorum"},   {"geliyorsun", "geli1yorsun"},
      {"geliyoruz", "geli1yoruz"}, {"geliyorlar", "geli1yorlar"}, {"geliyordu", "geli1yordu"},
      {"yapıyor", "yapI1yor"},     {"okuyor", "oku1yor"},         {"görüyor", "gOrU1yor"},
      {"anlıyor", "anlI1yor"},     {"yiyor", "yi1yor"},           {"diyor", "di1yor"},
      {"seviyorum", "sevi1yorum"}, {"çalışıyor", "CalISI1yor"},   {"yorum", "yoru1m"},
  };
  checkGroup("progressive -yor", cases);
}

TEST(TurkishStress, OtherPrestressingSuffixes) {
  static const Case cases[] = {
      {"Türkçe", "tU1rkCe"},       {"Türkçede", "tU1rkCede"},   {"İngilizce", "ingili1zce"},
      {"Almanca", "alma1nca"},     {"Fransızca", "fransI1zca"}, {"kışın", "kI1SIn"},
      {"arabayla", "araba1yla"},   {"kapıyla", "kapI1yla"},     {"suyla", "su1yla"},
      {"köyle", "kO1yle"},         {"gelirken", "geli1rken"},   {"yaparken", "yapa1rken"},
      {"okurken", "oku1rken"},     {"erken", "erke1n"},         {"yayla", "yayla1"},
      {"Leyla", "le1yla"},         {"iken", "i1ken"},           {"geliyorken", "geli1yorken"},
  };
  checkGroup("other suffixes", cases);
}

TEST(TurkishSpelling, AcronymsSingleLettersAndVowellessWords) {
  static const Case cases[] = {
      {"ABD", "abede1"},    {"THY", "teheye1"},    {"TRT", "terete1"},      {"PTT", "petete1"},
      {"AB", "abe1"},       {"TBMM", "tebememe1"}, {"CHP", "cehepe1"},      {"ONU", "oneu1"},
      {"www", "ve1ve1ve1"}, {"WWW", "ve1ve1ve1"},  {"http", "hetetepe1"},   {"mp", "mepe1"},
      {"tv", "teve1"},      {"b", "be1"},          {"a", "a1"},             {"ğ", "yumuSakge1"},
      {"x", "i1ks"},        {"w", "Ciftve1"},      {"q", "kU1"},            {"NATO", "na1to"},
      {"NASA", "na1sa"},    {"VE", "ve1"},         {"BU", "bu1"},           {"kg", "kege1"},
      {"km", "keme1"},      {"DNA", "denea1"},     {"Ş", "Se1"},            {"ç", "Ce1"},
  };
  checkGroup("letter names", cases);
}

TEST(TurkishSpelling, DigitsInsideWordsAsNumberWords) {
  static const Case cases[] = {
      {"mp3", "mepe1U1C"},      {"3D", "U1Cde1"},           {"F16", "fe1o1naltI1"},
      {"A4", "a1dO1rt"},        {"KANAL7", "kana1lyedi1"}, {"2023", "iki1bi1nyirmi1U1C"},
      {"1000", "bi1n"},         {"007", "sIfI1rsIfI1ryedi1"}, {"12", "o1niki1"},
      {"100", "yU1z"},          {"1000000", "bi1rmilyo1n"},  {"0", "sIfI1r"},
      {"Kanal7", "kana1lyedi1"}, {"1923", "bi1ndoku1zyU1zyirmi1U1C"}, {"250", "iki1yU1zelli1"},
  };
  checkGroup("digits", cases);
}

TEST(TurkishStress, ApostropheStemsKeepTheNameStress) {
  static const Case cases[] = {
      {"Ahmet'e", "a1hmete"},      {"Erdoğan'ın", "e1rdo:anIn"}, {"Obama'nın", "oba1manIn"},
      {"Kemal'in", "ke1malin"},    {"Mersin'de", "me1rsinde"},   {"ABD'de", "abede1de"},
      {"Mozart'ın", "mo1zartIn"},  {"Erzurum'a", "e1rzuruma"},   {"Ankara\xE2\x80\x99" "da", "a1nkarada"},
      {"Kadıköy'de", "ka1dIkOyde"},
  };
  checkGroup("apostrophe", cases);
}

TEST(TurkishRobustness, SeparatorsAndUnknownCharacters) {
  static const Case cases[] = {
      {"kitap!", "kita1p"},     {"e-posta", "e1po1sta"},     {"çay,", "Ca1y"},
      {"a\xC2\xA0" "b", "a1be1"}, {"kitap\xCC\x81", "kita1p"}, {"José", "jose1"},
      {"Ñandú", "nandu1"},      {"Straße", "strase1"},
      {"$", "do1lar"},          {"\xE2\x82\xAC", "a1vro"},  {"%", "yUzde1"},
  };
  checkGroup("robustness", cases);
  std::string out;
  EXPECT_FALSE(corvum::pronounceTurkish(u"", out));
  EXPECT_FALSE(corvum::pronounceTurkish(u"!!!", out));
  EXPECT_FALSE(corvum::pronounceTurkish(u"\u65E5\u672C", out));
  EXPECT_FALSE(corvum::pronounceTurkish(u"\xD83D\xDE00", out));  // emoji as a surrogate pair
  EXPECT_TRUE(out.empty());
}

TEST(TurkishRobustness, AppendsAfterExistingText) {
  std::string out = "x";
  ASSERT_TRUE(corvum::pronounceTurkish(u"su", out));
  EXPECT_EQ(out, "x s u1");
}

TEST(TurkishRobustness, VeryLongWordsStayBounded) {
  std::u16string word(100000, u'a');
  std::string out;
  ASSERT_TRUE(corvum::pronounceTurkish(word, out));
  EXPECT_LT(out.size(), 2000u);
  std::u16string digits(5000, u'7');
  out.clear();
  ASSERT_TRUE(corvum::pronounceTurkish(digits, out));
  EXPECT_LT(out.size(), 2000u);
}

// ---- every symbol maps to a phone -------------------------------------------------

std::vector<std::string> splitSymbols(const std::string& pron) {
  std::vector<std::string> syms;
  std::string cur;
  for (char c : pron) {
    if (c == ' ') {
      if (!cur.empty()) syms.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) syms.push_back(cur);
  return syms;
}

// Checks the shape of one pronunciation: symbols that map to phones, stress
// digits only on vowels, at most one digit per symbol.
void expectMapped(const std::u16string& word, const std::string& pron, std::set<std::string>& seen) {
  for (std::string sym : splitSymbols(pron)) {
    bool stressed = !sym.empty() && sym.back() == '1';
    if (stressed) sym.pop_back();
    const char* phone = tts::mapLexiconSymbol(&tts::kPhoneSetTr, sym.c_str());
    ASSERT_NE(phone, nullptr) << "unmapped symbol '" << sym << "' in " << hex(word) << ": " << pron;
    int32_t id = tts::phoneIndex(&tts::kPhoneSetTr, phone);
    ASSERT_GT(id, 0) << sym << " in " << pron;
    if (stressed) {
      EXPECT_EQ(tts::phoneIsVowel(&tts::kPhoneSetTr, id), 1) << sym << " in " << pron;
    }
    seen.insert(sym);
  }
}

// ---- through the lexicon's C entry point ------------------------------------------

TEST(TurkishLexicon, GetPronStringServesTurkish) {
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_TURKISH);
  ASSERT_NE(lex, nullptr);
  int32_t id = LexMgr_GetLexID(lex, CORVUM_LANG_TURKISH, 0);
  ASSERT_GE(id, 0);
  char out[CORVUM_PRON_CAPACITY];
  std::u16string word = utf16("İstanbul'da");
  EXPECT_EQ(LexMgr_GetPronString(lex, static_cast<uint16_t>(id), word.c_str(), out, 0, 1, 0), 10);
  EXPECT_STREQ(out, "i s t a1 n b u l d a");
  word = utf16("ağaç");
  EXPECT_EQ(LexMgr_GetPronString(lex, static_cast<uint16_t>(id), word.c_str(), out, 0, 1, 0), 4);
  EXPECT_STREQ(out, "a : a1 C");
  EXPECT_LT(LexMgr_GetPronString(lex, static_cast<uint16_t>(id), u"?!", out, 0, 1, 0), 1);
  LexMgr_Close(lex);
}

TEST(TurkishLexicon, LongWordsAreCutAtASymbolInsideTheBuffer) {
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_TURKISH);
  ASSERT_NE(lex, nullptr);
  int32_t id = LexMgr_GetLexID(lex, CORVUM_LANG_TURKISH, 0);
  // A buffer with guard bytes after the 256 the lexicon may use.
  std::vector<char> buf(CORVUM_PRON_CAPACITY + 64, '\x7F');
  const std::u16string words[] = {std::u16string(3000, u'ş'), utf16("çekoslovakyalılaştıramadıklarımızdanmışsınız"),
                                  std::u16string(400, u'9'), std::u16string(300, u'Ğ')};
  for (const std::u16string& w : words) {
    std::fill(buf.begin(), buf.end(), '\x7F');
    int32_t n = LexMgr_GetPronString(lex, static_cast<uint16_t>(id), w.c_str(), buf.data(), 0, 1, 0);
    ASSERT_GE(n, 1);
    size_t len = std::strlen(buf.data());
    EXPECT_LT(len, static_cast<size_t>(CORVUM_PRON_CAPACITY));
    EXPECT_NE(buf[len - 1], ' ');
    for (size_t i = CORVUM_PRON_CAPACITY; i < buf.size(); ++i) ASSERT_EQ(buf[i], '\x7F');
    std::set<std::string> seen;
    expectMapped(w, std::string(buf.data()), seen);
  }
  LexMgr_Close(lex);
}

std::vector<std::u16string> realWords() { return voxa_utf::readWordFile(VOXA_TURKISH_WORDS); }

TEST(TurkishPhones, RealWordsWithSuffixesMapToPhones) {
  std::vector<std::u16string> stems = realWords();
  ASSERT_GE(stems.size(), 500u);
  const char16_t* suffixes[] = {u"",     u"ler",  u"lar",   u"de",   u"dan",   u"ı",    u"imiz",
                                u"ğı",   u"yor",  u"medi",  u"mıyor", u"ce",   u"'da",  u"siniz"};
  std::set<std::string> seen;
  size_t count = 0;
  for (const std::u16string& stem : stems)
    for (const char16_t* suffix : suffixes) {
      std::u16string word = stem + suffix;
      std::string pron;
      ASSERT_TRUE(corvum::pronounceTurkish(word, pron)) << hex(word);
      expectMapped(word, pron, seen);
      ++count;
    }
  EXPECT_GE(count, 5000u);
  // Every letter of the alphabet is reached: all 29 letter symbols plus none other.
  EXPECT_EQ(seen.size(), 29u);
}

TEST(TurkishPhones, GeneratedWordsMapToPhones) {
  // Random words over the Turkish letters, both cases, digits and punctuation.
  const std::u16string alphabet =
      u"abcçdefgğhıijklmnoöprsştuüvyzâîûqwxABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ0123456789'-";
  std::mt19937 rng(1717);
  std::set<std::string> seen;
  for (int i = 0; i < 5000; ++i) {
    std::u16string word;
    int len = 1 + static_cast<int>(rng() % 14);
    for (int k = 0; k < len; ++k) word.push_back(alphabet[rng() % alphabet.size()]);
    std::string pron;
    corvum::pronounceTurkish(word, pron);
    expectMapped(word, pron, seen);
  }
}

TEST(TurkishPhones, RandomUtf16NeverBreaks) {
  std::mt19937 rng(4242);
  std::set<std::string> seen;
  for (int i = 0; i < 3000; ++i) {
    std::u16string word;
    int len = static_cast<int>(rng() % 40);
    for (int k = 0; k < len; ++k) {
      uint32_t r = rng();
      char16_t c;
      switch (r % 4) {
        case 0: c = static_cast<char16_t>(0xD800 + (r >> 8) % 0x800); break;  // surrogates, paired or not
        case 1: c = static_cast<char16_t>(0xFFF0 + (r >> 8) % 16); break;     // specials, non-characters
        case 2: c = static_cast<char16_t>(0x0300 + (r >> 8) % 0x80); break;   // combining marks, Greek
        default: c = static_cast<char16_t>((r >> 8) % 0x0250); break;        // Latin
      }
      word.push_back(c);
    }
    std::string pron;
    corvum::pronounceTurkish(word, pron);
    expectMapped(word, pron, seen);
  }
}

}  // namespace
