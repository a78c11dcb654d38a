// Spanish letter-to-sound rules: hand-checked pronunciations grouped by rule,
// in the lexicon's Spanish symbols (z = c/z, T = ch, h = jota, S = ll,
// y = consonant y and the i glide, w = the u glide, N = ñ, r tap, R trill).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "es/spanish_numbers.h"
#include "es/spanish_rules.h"
#include "es/spanish_words.h"
#include "language_rules.h"
#include "support/test_host.h"

namespace {

struct Case {
  const char* word;  // UTF-8
  const char* pron;
};

using tts_test::utf16;

std::string pronounce(const std::string& utf8Word) {
  std::string out;
  corvum::pronounceSpanish(utf16(utf8Word), out);
  return out;
}

void checkAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(pronounce(c.word), c.pron) << "word: " << c.word;
}

TEST(SpanishRules, COrZBeforeFrontVowelsQuAndK) {
  checkAll({
      {"casa", "k a1 s a"},       {"cosa", "k o1 s a"},         {"cuna", "k u1 n a"},
      {"cena", "z e1 n a"},       {"cine", "z i1 n e"},         {"zapato", "z a p a1 t o"},
      {"zorro", "z o1 R o"},      {"zumo", "z u1 m o"},         {"lápiz", "l a1 p i z"},
      {"luz", "l u1 z"},          {"paz", "p a1 z"},            {"cielo", "z y e1 l o"},
      {"queso", "k e1 s o"},      {"quince", "k i1 n z e"},     {"química", "k i1 m i k a"},
      {"kilo", "k i1 l o"},       {"kiosco", "k y o1 s k o"},   {"acción", "a k z y o1 n"},
      {"lección", "l e k z y o1 n"}, {"cruz", "k r u1 z"},      {"clase", "k l a1 s e"},
      {"cocina", "k o z i1 n a"}, {"Zaragoza", "z a r a g o1 z a"}, {"hacer", "a z e1 r"},
      {"parque", "p a1 r k e"},   {"bosque", "b o1 s k e"},     {"ciencia", "z y e1 n z y a"},
      {"conocer", "k o n o z e1 r"},
  });
}

TEST(SpanishRules, GGuAndGue) {
  checkAll({
      {"gato", "g a1 t o"},          {"gota", "g o1 t a"},             {"gusto", "g u1 s t o"},
      {"gente", "h e1 n t e"},       {"girar", "h i r a1 r"},          {"general", "h e n e r a1 l"},
      {"guerra", "g e1 R a"},        {"guitarra", "g i t a1 R a"},     {"águila", "a1 g i l a"},
      {"pingüino", "p i n g w i1 n o"}, {"cigüeña", "z i g w e1 N a"}, {"vergüenza", "b e r g w e1 n z a"},
      {"agua", "a1 g w a"},          {"guante", "g w a1 n t e"},       {"antiguo", "a n t i1 g w o"},
      {"grande", "g r a1 n d e"},    {"globo", "g l o1 b o"},          {"lago", "l a1 g o"},
      {"gnomo", "n o1 m o"},         {"página", "p a1 h i n a"},       {"argentino", "a r h e n t i1 n o"},
      {"seguir", "s e g i1 r"},      {"lingüística", "l i n g w i1 s t i k a"},
  });
}

TEST(SpanishRules, JotaSound) {
  checkAll({
      {"jamón", "h a m o1 n"}, {"jefe", "h e1 f e"},   {"jirafa", "h i r a1 f a"}, {"joven", "h o1 b e n"},
      {"jugar", "h u g a1 r"}, {"reloj", "R e l o1 h"}, {"ajo", "a1 h o"},         {"caja", "k a1 h a"},
      {"mujer", "m u h e1 r"}, {"Jorge", "h o1 r h e"},
  });
}

TEST(SpanishRules, SilentH) {
  checkAll({
      {"hola", "o1 l a"},          {"hombre", "o1 m b r e"},          {"hoja", "o1 h a"},
      {"humo", "u1 m o"},          {"huevo", "w e1 b o"},              {"hueso", "w e1 s o"},
      {"hielo", "y e1 l o"},       {"hierba", "y e1 r b a"},           {"ahora", "a o1 r a"},
      {"búho", "b u1 o"},          {"prohibir", "p r oi b i1 r"},      {"alcohol", "a l k o o1 l"},
      {"deshacer", "d e s a z e1 r"}, {"zanahoria", "z a n a o1 r y a"}, {"almohada", "a l m o a1 d a"},
      {"hablar", "a b l a1 r"},    {"historia", "i s t o1 r y a"},
  });
}

TEST(SpanishRules, LlAndYYeismoAndVowelY) {
  checkAll({
      {"llave", "S a1 b e"},     {"lluvia", "S u1 b y a"},       {"calle", "k a1 S e"},
      {"pollo", "p o1 S o"},     {"llegar", "S e g a1 r"},       {"caballo", "k a b a1 S o"},
      {"yo", "y o1"},            {"ya", "y a1"},                 {"mayo", "m a1 y o"},
      {"playa", "p l a1 y a"},   {"ayer", "a y e1 r"},           {"yema", "y e1 m a"},
      {"reyes", "R e1 y e s"},   {"leyes", "l e1 y e s"},        {"hoy", "oi1"},
      {"muy", "m w i1"},         {"rey", "R ei1"},               {"ley", "l ei1"},
      {"estoy", "e s t oi1"},    {"Uruguay", "u r u g w ai1"},   {"Paraguay", "p a r a g w ai1"},
      {"virrey", "b i R ei1"},   {"jersey", "h e r s ei1"},      {"ayuda", "a y u1 d a"},
      {"y", "i"},                {"Y", "i"},
  });
}

TEST(SpanishRules, ChAndEnye) {
  checkAll({
      {"chico", "T i1 k o"},       {"noche", "n o1 T e"},         {"leche", "l e1 T e"},
      {"muchacho", "m u T a1 T o"}, {"chocolate", "T o k o l a1 t e"}, {"ocho", "o1 T o"},
      {"chaqueta", "T a k e1 t a"}, {"niño", "n i1 N o"},         {"año", "a1 N o"},
      {"España", "e s p a1 N a"},  {"mañana", "m a N a1 n a"},    {"señor", "s e N o1 r"},
      {"ñandú", "N a n d u1"},     {"montaña", "m o n t a1 N a"},
  });
}

TEST(SpanishRules, TapAndTrill) {
  checkAll({
      {"pero", "p e1 r o"},          {"perro", "p e1 R o"},           {"caro", "k a1 r o"},
      {"carro", "k a1 R o"},         {"rosa", "R o1 s a"},            {"rojo", "R o1 h o"},
      {"ratón", "R a t o1 n"},       {"honra", "o1 n R a"},           {"Enrique", "e n R i1 k e"},
      {"alrededor", "a l R e d e d o1 r"}, {"Israel", "i s R a e1 l"}, {"subrayar", "s u b R a y a1 r"},
      {"tierra", "t y e1 R a"},      {"cantar", "k a n t a1 r"},      {"mar", "m a1 r"},
      {"árbol", "a1 r b o l"},       {"tres", "t r e1 s"},            {"brazo", "b r a1 z o"},
      {"fruta", "f r u1 t a"},       {"ferrocarril", "f e R o k a R i1 l"}, {"torre", "t o1 R e"},
      {"correr", "k o R e1 r"},      {"prisa", "p r i1 s a"},         {"amor", "a m o1 r"},
  });
}

TEST(SpanishRules, LetterX) {
  checkAll({
      {"taxi", "t a1 k s i"},        {"examen", "e k s a1 m e n"},     {"éxito", "e1 k s i t o"},
      {"xilófono", "s i l o1 f o n o"}, {"extraño", "e k s t r a1 N o"}, {"sexo", "s e1 k s o"},
      {"oxígeno", "o k s i1 h e n o"}, {"boxeo", "b o k s e1 o"},       {"relax", "R e l a1 k s"},
      {"México", "m e1 h i k o"},    {"mexicano", "m e h i k a1 n o"}, {"Texas", "t e1 h a s"},
      {"Xavier", "h a b y e1 r"},
  });
}

TEST(SpanishRules, NasalBeforeLabial) {
  checkAll({
      {"convoy", "k o m b oi1"},     {"enviar", "e m b y a1 r"},     {"invierno", "i m b y e1 r n o"},
      {"inválido", "i m b a1 l i d o"}, {"anverso", "a m b e1 r s o"}, {"envase", "e m b a1 s e"},
  });
}

TEST(SpanishRules, FallingDiphthongs) {
  checkAll({
      {"aire", "ai1 r e"},       {"baile", "b ai1 l e"},       {"hay", "ai1"},
      {"seis", "s ei1 s"},       {"peine", "p ei1 n e"},       {"oigo", "oi1 g o"},
      {"boina", "b oi1 n a"},    {"causa", "k au1 s a"},       {"auto", "au1 t o"},
      {"jaula", "h au1 l a"},    {"Europa", "eu r o1 p a"},    {"deuda", "d eu1 d a"},
      {"reunión", "R eu n y o1 n"}, {"estadounidense", "e s t a d ou n i d e1 n s e"},
      {"aceite", "a z ei1 t e"}, {"reina", "R ei1 n a"},       {"flauta", "f l au1 t a"},
      {"veinte", "b ei1 n t e"}, {"euro", "eu1 r o"},          {"autobús", "au t o b u1 s"},
  });
}

TEST(SpanishRules, RisingDiphthongsWithGlides) {
  checkAll({
      {"piano", "p y a1 n o"},     {"viento", "b y e1 n t o"},   {"nieve", "n y e1 b e"},
      {"radio", "R a1 d y o"},     {"ciudad", "z y u d a1 d"},   {"viuda", "b y u1 d a"},
      {"cuando", "k w a1 n d o"},  {"bueno", "b w e1 n o"},      {"cuota", "k w o1 t a"},
      {"ruido", "R w i1 d o"},     {"cuidado", "k w i d a1 d o"}, {"fuimos", "f w i1 m o s"},
      {"suave", "s w a1 b e"},     {"nuevo", "n w e1 b o"},      {"buey", "b w ei1"},
      {"estudiáis", "e s t u d y ai1 s"}, {"limpiáis", "l i m p y ai1 s"}, {"lengua", "l e1 n g w a"},
      {"familia", "f a m i1 l y a"}, {"Paraguay", "p a r a g w ai1"}, {"chihuahua", "T i w a1 w a"},
      {"bestihuela", "b e s t i w e1 l a"},
  });
}

TEST(SpanishRules, HiatusWithAccentedOrStrongVowels) {
  checkAll({
      {"país", "p a i1 s"},        {"día", "d i1 a"},            {"baúl", "b a u1 l"},
      {"reír", "R e i1 r"},        {"oír", "o i1 r"},            {"maíz", "m a i1 z"},
      {"caída", "k a i1 d a"},     {"río", "R i1 o"},            {"tío", "t i1 o"},
      {"continúa", "k o n t i n u1 a"}, {"poeta", "p o e1 t a"}, {"leer", "l e e1 r"},
      {"creer", "k r e e1 r"},     {"aéreo", "a e1 r e o"},      {"héroe", "e1 r o e"},
      {"teatro", "t e a1 t r o"},  {"caos", "k a1 o s"},         {"océano", "o z e1 a n o"},
      {"Raúl", "R a u1 l"},        {"frío", "f r i1 o"},         {"zoológico", "z o o l o1 h i k o"},
      {"oasis", "o a1 s i s"},
  });
}

TEST(SpanishRules, StressFromAccentMark) {
  checkAll({
      {"café", "k a f e1"},          {"sofá", "s o f a1"},             {"canción", "k a n z y o1 n"},
      {"mamá", "m a m a1"},          {"también", "t a m b y e1 n"},    {"médico", "m e1 d i k o"},
      {"música", "m u1 s i k a"},    {"pájaro", "p a1 h a r o"},       {"teléfono", "t e l e1 f o n o"},
      {"difícil", "d i f i1 z i l"}, {"fácil", "f a1 z i l"},          {"inglés", "i n g l e1 s"},
      {"jamás", "h a m a1 s"},       {"corazón", "k o r a z o1 n"},    {"sábado", "s a1 b a d o"},
      {"miércoles", "m y e1 r k o l e s"}, {"cómpratelo", "k o1 m p r a t e l o"}, {"último", "u1 l t i m o"},
      {"América", "a m e1 r i k a"}, {"ÁRBOL", "a1 r b o l"},
  });
}

TEST(SpanishRules, DefaultStress) {
  checkAll({
      {"mesa", "m e1 s a"},           {"libro", "l i1 b r o"},          {"hablan", "a1 b l a n"},
      {"lunes", "l u1 n e s"},        {"comer", "k o m e1 r"},          {"verdad", "b e r d a1 d"},
      {"español", "e s p a N o1 l"},  {"feliz", "f e l i1 z"},          {"papel", "p a p e1 l"},
      {"trabajar", "t r a b a h a1 r"}, {"escriben", "e s k r i1 b e n"}, {"ventana", "b e n t a1 n a"},
      {"zapatos", "z a p a1 t o s"},  {"amigo", "a m i1 g o"},          {"profesor", "p r o f e s o1 r"},
      {"Madrid", "m a d r i1 d"},     {"pared", "p a r e1 d"},          {"origen", "o r i1 h e n"},
      {"crisis", "k r i1 s i s"},     {"naturaleza", "n a t u r a l e1 z a"},
      {"computadora", "k o m p u t a d o1 r a"}, {"universidad", "u n i b e r s i d a1 d"},
      {"robots", "R o b o1 t s"},     {"zigzags", "z i g z a1 g s"},    {"bíceps", "b i1 z e p s"},
      {"cómics", "k o1 m i k s"},     {"reyes", "R e1 y e s"},
  });
}

// The number reader writes its words without accent marks.
TEST(SpanishRules, NumberWordsWrittenWithoutAccents) {
  checkAll({
      {"cero", "z e1 r o"},            {"uno", "u1 n o"},                  {"dos", "d o1 s"},
      {"cuatro", "k w a1 t r o"},      {"cinco", "z i1 n k o"},            {"siete", "s y e1 t e"},
      {"nueve", "n w e1 b e"},         {"diez", "d y e1 z"},               {"once", "o1 n z e"},
      {"doce", "d o1 z e"},            {"trece", "t r e1 z e"},            {"catorce", "k a t o1 r z e"},
      {"dieciseis", "d y e z i s ei1 s"}, {"diecisiete", "d y e z i s y e1 t e"},
      {"dieciocho", "d y e z y o1 T o"}, {"diecinueve", "d y e z i n w e1 b e"},
      {"veintiuno", "b ei n t y u1 n o"}, {"veintidos", "b ei n t i d o1 s"},
      {"veintitres", "b ei n t i t r e1 s"}, {"veintiseis", "b ei n t i s ei1 s"},
      {"veintiun", "b ei n t y u1 n"}, {"treinta", "t r ei1 n t a"},      {"cuarenta", "k w a r e1 n t a"},
      {"cincuenta", "z i n k w e1 n t a"}, {"sesenta", "s e s e1 n t a"}, {"setenta", "s e t e1 n t a"},
      {"ochenta", "o T e1 n t a"},     {"noventa", "n o b e1 n t a"},      {"cien", "z y e1 n"},
      {"ciento", "z y e1 n t o"},      {"doscientos", "d o s z y e1 n t o s"},
      {"quinientos", "k i n y e1 n t o s"}, {"sietecientos", "s y e t e z y e1 n t o s"},
      {"setecientos", "s e t e z y e1 n t o s"}, {"novecientos", "n o b e z y e1 n t o s"},
      {"mil", "m i1 l"},               {"millon", "m i S o1 n"},           {"millones", "m i S o1 n e s"},
      {"billon", "b i S o1 n"},        {"dólar", "d o1 l a r"},            {"dólares", "d o1 l a r e s"},
      {"dollars", "d o1 l a r s"},     {"un", "u n"},
  });
}

TEST(SpanishRules, UnstressedFunctionWordsAndStressedMonosyllables) {
  checkAll({
      {"el", "e l"},     {"la", "l a"},   {"los", "l o s"}, {"de", "d e"},    {"que", "k e"},
      {"en", "e n"},     {"se", "s e"},   {"por", "p o r"}, {"con", "k o n"}, {"mi", "m i"},
      {"a", "a"},        {"o", "o"},      {"él", "e1 l"},   {"sí", "s i1"},   {"qué", "k e1"},
      {"sol", "s o1 l"}, {"pan", "p a1 n"}, {"sal", "s a1 l"}, {"tú", "t u1"}, {"más", "m a1 s"},
  });
}

TEST(SpanishRules, AcronymsSingleLettersAndVowellessWords) {
  checkAll({
      {"ONU", "o1 e1 n e u1"},
      {"www", "u1 b e d o1 b l e u1 b e d o1 b l e u1 b e d o1 b l e"},
      {"http", "a1 T e t e1 t e1 p e1"},
      {"b", "b e1"},             {"h", "a1 T e"},           {"x", "e1 k i s"},
      {"ñ", "e1 N e"},           {"DNI", "d e1 e1 n e i1"}, {"PP", "p e1 p e1"},
      {"CDs", "z e1 d e1 s"},    {"FBI", "e1 f e b e1 i1"}, {"TV", "t e1 u1 b e"},
      {"EL", "e l"},             {"LA", "l a"},             {"UNESCO", "u n e1 s k o"},
      {"ATENCIÓN", "a t e n z y o1 n"}, {"bcn", "b e1 z e1 e1 n e"}, {"sr", "s e N o1 r"},
  });
}

TEST(SpanishRules, DigitsInsideWordsAsNumberWords) {
  checkAll({
      {"mp3", "e1 m e p e1 t r e1 s"},
      {"4x4", "k w a1 t r o e1 k i s k w a1 t r o"},
      {"1999", "m i1 l n o b e z y e1 n t o s n o b e1 n t a i n w e1 b e"},
      {"21000", "b ei n t y u1 n m i1 l"},
      {"2000000", "d o1 s m i S o1 n e s"},
      {"007", "z e1 r o z e1 r o s y e1 t e"},
      {"A4", "a k w a1 t r o"},
  });
}

TEST(SpanishRules, MenteAdverbsKeepTheAdjectiveStress) {
  checkAll({
      {"rápidamente", "R a1 p i d a m e2 n t e"}, {"felizmente", "f e l i1 z m e2 n t e"},
      {"claramente", "k l a1 r a m e2 n t e"},    {"fácilmente", "f a1 z i l m e2 n t e"},
      {"solamente", "s o1 l a m e2 n t e"},       {"mente", "m e1 n t e"},
      {"demente", "d e m e1 n t e"},              {"vehemente", "b e e m e1 n t e"},
      {"implemente", "i m p l e m e1 n t e"},
  });
}

TEST(SpanishRules, LoansAndRespellings) {
  checkAll({
      {"whisky", "w i1 s k i"}, {"pizza", "p i1 t s a"}, {"show", "T ou1"},  {"web", "w e1 b"},
      {"internet", "i n t e r n e1 t"}, {"jazz", "y a1 s"}, {"hockey", "h o1 k ei"},
  });
}

TEST(SpanishRules, CharactersOutsideTheAlphabet) {
  checkAll({
      {"casa!", "k a1 s a"},  {"¿qué?", "k e1"},     {"café☕", "k a f e1"}, {"Ωmega", "m e1 g a"},
      {"Łódź", "l o1 d z"},   {"franco-alemán", "f r a1 n k o a l e m a1 n"},
  });
  // decomposed accents: combining acute, tilde, diaeresis
  EXPECT_EQ(pronounce("cancio\xCC\x81n"), "k a n z y o1 n");
  EXPECT_EQ(pronounce("an\xCC\x83o"), "a1 N o");
  EXPECT_EQ(pronounce("pingu\xCC\x88ino"), "p i n g w i1 n o");
  EXPECT_EQ(pronounce("\xCC\x81sol"), "s o1 l");
  std::string out;
  EXPECT_FALSE(corvum::pronounceSpanish(utf16("日本"), out));
  EXPECT_FALSE(corvum::pronounceSpanish(u"", out));
  EXPECT_FALSE(corvum::pronounceSpanish(u"\xD800\xDFFF\xFFFE", out));
  EXPECT_EQ(out, "");
}

TEST(SpanishRules, AppendsAfterExistingText) {
  std::string out = "pau";
  ASSERT_TRUE(corvum::pronounceSpanish(u"sol", out));
  EXPECT_EQ(out, "pau s o1 l");
}

TEST(SpanishRules, VeryLongWordIsCutNotOverrun) {
  std::u16string word;
  for (int i = 0; i < 5000; ++i) word += u"ra";
  std::string out;
  ASSERT_TRUE(corvum::pronounceSpanish(word, out));
  // two symbols per "ra", cut at the rule length limit
  EXPECT_EQ(out.size(), corvum::es::kMaxRuleLetters / 2 * 4 + 1 - 1);
}

TEST(SpanishWords, TablesAreSortedForBinarySearch) { EXPECT_TRUE(corvum::es::spanishWordTablesSorted()); }

TEST(SpanishNumbers, CardinalsAndDigitByDigit) {
  auto words = [](const char* digits) {
    std::string w;
    corvum::es::spanishNumberWords(digits, w);
    return w;
  };
  EXPECT_EQ(words("0"), "cero");
  EXPECT_EQ(words("16"), "diecisEis");
  EXPECT_EQ(words("31"), "treinta y uno");
  EXPECT_EQ(words("100"), "cien");
  EXPECT_EQ(words("101"), "ciento uno");
  EXPECT_EQ(words("1000"), "mil");
  EXPECT_EQ(words("1001"), "mil uno");
  EXPECT_EQ(words("31000"), "treinta y un mil");
  EXPECT_EQ(words("1000000"), "un millOn");
  EXPECT_EQ(words("21000000"), "veintiUn millones");
  EXPECT_EQ(words("1000000000"), "mil millones");
  EXPECT_EQ(words("999999999999"),
            "novecientos noventa y nueve mil novecientos noventa y nueve millones novecientos noventa y nueve "
            "mil novecientos noventa y nueve");
  EXPECT_EQ(words("0042"), "cero cero cuatro dos");
  EXPECT_EQ(words("1234567890123"), "uno dos tres cuatro cinco seis siete ocho nueve cero uno dos tres");
}

TEST(SpanishRules, SyllableCount) {
  EXPECT_EQ(corvum::es::spanishSyllableCount("pais"), 1);  // unaccented: one diphthong
  EXPECT_EQ(corvum::es::spanishSyllableCount("paIs"), 2);
  EXPECT_EQ(corvum::es::spanishSyllableCount("estudiAis"), 3);
  EXPECT_EQ(corvum::es::spanishSyllableCount("brr"), 0);
}

}  // namespace
