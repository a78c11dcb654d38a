// Spanish normalisation: input text, text mode, expected normalised text.
#include <gtest/gtest.h>

#include "text/es/say_es.h"
#include "text_test_util.h"

namespace {

using text_test::normalise;
using text_test::toUtf8;

struct Case {
  const char16_t* input;
  int32_t mode;
  const char16_t* expected;
};

void runTable(const Case* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(toUtf8(normalise(&tts::kTextLanguageEs, c.input, c.mode)), toUtf8(c.expected))
        << "input '" << toUtf8(c.input) << "' mode " << c.mode;
  }
}

// Numbers, digit strings, signs and decimals (a number is followed by the minor mark).
const Case kNumbers[] = {
    {u"0", 0, u" cero||"},
    {u"1", 0, u"uno|"},
    {u"21", 0, u"veintiuno|"},
    {u"100", 0, u" uno| cero| cero||"},
    {u"150", 0, u" uno| cinco| cero||"},
    {u"1999", 0, u"mil novecientos noventa i nueve|"},
    {u"2100", 0, u"dos mil cien|"},
    {u"2101", 0, u" dos| uno| cero| uno||"},
    {u"007", 0, u" cero| cero| siete||"},
    {u"#12", 0, u"doce|"},
    {u"1001", 0, u"mil uno|"},
    {u"1.000.000", 0, u"un millon|"},
    {u"2.000.000", 0, u"dos millones|"},
    {u"25.000.000", 0, u"veinticinco millones|"},
    {u"200.000.000", 0, u"doscientos millones|"},
    {u"1.001.000", 0, u"un millon mil|"},
    // Hundreds: "setecientos", and "ciento" before tens or units.
    {u"1.700", 0, u"mil setecientos|"},
    {u"1.150", 0, u"mil ciento cincuenta|"},
    {u"100.000", 0, u"cien mil|"},
    {u"101.000", 0, u"ciento un mil|"},
    // 10^9 is "mil millones".
    {u"1.000.000.000", 0, u"mil millones|"},
    {u"2.500.000.000", 0, u"dos mil quinientos millones|"},
    {u"2.001.000.000", 0, u"dos mil un millones|"},
    {u"21.000.000.000", 0, u"veintiun mil millones|"},
    {u"999.999.999.999", 0,
     u"novecientos noventa i nueve mil novecientos noventa i nueve millones novecientos noventa i nueve mil "
     u"novecientos noventa i nueve|"},
    {u"1.234.567.890.123", 0, u"uno dos tres cuatro cinco seis siete ocho nueve cero uno dos tres|"},
    {u"1234567890123", 0, u" uno| dos| tres| cuatro| cinco| seis| siete| ocho| nueve| cero| uno| dos| tres||"},
    {u"21.000 casas", 0, u"veintiun mil|casas"},
    {u"2.000 personas", 0, u"dos mil|personas"},
    {u"1,5", 0, u"uno coma cinco|"},
    {u"0,5", 0, u"cero coma cinco|"},
    {u"-3,25", 0, u"menos tres coma dos cinco|"},
    {u"3,00", 0, u"tres|"},
    {u"1.234,56", 0, u"mil doscientos treinta i cuatro coma cinco seis|"},
    {u"-1.500", 0, u"menos mil quinientos|"},
    {u"x -5", 0, u"x menos cinco|"},
    {u"-1 casa", 0, u"menos una|casa"},
    {u"-21,5 noches", 0, u"menos veintiun coma cinco|noches"},
    {u"5-3", 0, u"cinco|tres|"},
    {u"1.00", 0, u"uno. cero| cero||"},
    {u"012,5", 0, u" cero| uno| dos|,cinco|"},
    {u"1,5,6", 0, u"uno coma cinco,seis|"},
};

// Dates, times, percentages, money, e-mail domains and web addresses.
const Case kForms[] = {
    {u"3/12/2007", 0, u"tres de diciembre de dos mil siete,"},
    {u"3-12-2007", 0, u"tres de diciembre de dos mil siete,"},
    {u"1/1/99", 0, u"primero de enero de noventa i nueve,"},
    {u"31/12/1999", 0, u"treinta i uno de diciembre de mil novecientos noventa i nueve,"},
    {u"3/13/2007", 0, u"tres,trece,dos mil siete|"},
    {u"3/12/7", 0, u"tres,doce,siete|"},
    {u"0:00", 0, u"las doce,"},
    {u"24:60", 0, u"las veinticuatro i sesenta,"},
    {u"1:05 PM", 0, u"la una i cinco,P M,"},
    {u"7:05 pm", 0, u"las siete i cinco,P M,"},
    {u"7:05 p.m.", 0, u"las siete i cinco,p.m."},
    {u"12:00 AM", 0, u"las doce,A M,"},
    {u"13:45", 0, u"las trece i cuarenta i cinco,"},
    {u"10h30", 0, u"las diez i treinta,"},
    {u"21h05", 0, u"las veintiuno i cinco,"},
    {u"12:30:15", 0, u"doce,treinta,quince|"},
    {u"50%", 0, u"cincuenta por ciento"},
    {u"50 %", 0, u"cincuenta por ciento"},
    {u"12,5%", 0, u"doce coma cinco por ciento"},
    {u"$25", 0, u"veinticinco d\u00F3lares,"},
    {u"$ 25", 0, u"veinticinco d\u00F3lares,"},
    {u"$1", 0, u"un d\u00F3lar,"},
    {u"-1 dollars", 0, u"menos un d\u00F3lar,"},
    {u"5 dollar", 0, u"cinco d\u00F3lares,"},
    {u"5 Dollars", 0, u"cinco d\u00F3lares,"},
    {u"25 \u20AC", 0, u"veinticinco euros,"},
    {u"\u20AC21", 0, u"veintiun euros,"},
    {u"1 eur", 0, u"un euro,"},
    {u"5 euro", 0, u"cinco euros,"},
    {u"1,00 \u20AC", 0, u"un euro,"},
    {u"2,50 \u20AC", 0, u"dos coma cinco cero euros,"},
    {u"100 \u20AC", 0, u"cien euros,"},
    {u"101 \u20AC", 0, u"ciento un euros,"},
    {u"\u00A31", 0, u"una libra,"},
    {u"\u00A331", 0, u"treinta i una libras,"},
    {u"\u00A5" u"1", 0, u"un yen,"},
    {u"\u00A5" u"5", 0, u"cinco yenes,"},
    {u"3 mil dollars", 0, u"tres mil|dollars,"},
    {u"25 $", 0, u"veinticinco,"},
    {u"2 USD", 0, u"dos|USD"},
    {u"me@aa-bb.cc3.dd", 0, u"me arroba aa menos bb punto cc tres punto dd,"},
    {u"info@correo.es", 0, u"info arroba correo punto es,"},
    {u"http://www.ejemplo.es/x", 0, u"h t t p w w w punto ejemplo punto es barra x,"},
    {u"HTTP://WWW.a7.es", 0, u"h t t p w w w punto a siete punto es,"},
    {u"https://a.b", 0, u"https,a.b"},
};

// Punctuation mapping, copying and the text modes.
const Case kModes[] = {
    {u"hola, mundo.", 0, u"hola,mundo."},
    {u"a ( b", 0, u"a,b"},
    {u"\u00BFQu\u00E9? \u00A1S\u00ED!", 0, u"Qu\u00E9?S\u00ED,"},
    {u"hola; adi\u00F3s: fin", 0, u"hola,adi\u00F3s,fin"},
    {u"a_b", 0, u"a,b"},
    {u"x [y] z", 0, u"x,y,z"},
    {u"- hola -", 0, u"hola"},
    {u"...hola", 0, u"hola"},
    {u"l'amour 'x'", 0, u"l'amour,x,"},
    {u"cien \u00B7 mil", 0, u"cien mil"},
    {u"A\u00F1o 2007.", 0, u"A\u00F1o dos mil siete."},
    {u"el 21 de mayo", 0, u"el veintiuno|de mayo"},
    {u"hola\uFF0C mundo\u3002", 0, u"hola,mundo,"},
    {u"hola ! .", 1, u"hola ! ."},
    {u"hola ! . 1.000", 1, u"hola ! .1000"},
    {u"Hola, 12:30", 1, u"Hola ,12 : 30"},
    {u"3/12/2007 ok", 6, u"3 / 12 / 2007 ok"},
    {u"3/12/2007 a las 10h30, 7:05 pm", 2, u"3,12,2007 a las diez i treinta,las siete i cinco,P M,"},
    {u"3/12/2007 a las 10:30, 5-6-07 25", 3, u"tres de diciembre de dos mil siete,a las 10,30,cinco de junio de siete,25"},
    {u"50% $5", 4, u"cincuenta por ciento cinco d\u00F3lares,"},
    {u"", 0, u""},
    {u" \t\r\n ", 0, u""},
};

TEST(NormaliseEs, Numbers) { runTable(kNumbers, sizeof kNumbers / sizeof kNumbers[0]); }
TEST(NormaliseEs, RecognisedForms) { runTable(kForms, sizeof kForms / sizeof kForms[0]); }
TEST(NormaliseEs, PunctuationAndTextModes) { runTable(kModes, sizeof kModes / sizeof kModes[0]); }

TEST(NormaliseEs, AgreementClasses) {
  using tts::es::agreementClass;
  EXPECT_EQ(agreementClass(u""), 0);
  EXPECT_EQ(agreementClass(u"costumbre"), 2);
  EXPECT_EQ(agreementClass(u"otitis"), 2);
  EXPECT_EQ(agreementClass(u"canci\u00F3n"), 2);
  EXPECT_EQ(agreementClass(u"crisis"), 2);
  EXPECT_EQ(agreementClass(u"serie"), 2);
  EXPECT_EQ(agreementClass(u"casa"), 2);
  EXPECT_EQ(agreementClass(u"ciudad"), 2);
  EXPECT_EQ(agreementClass(u"luz"), 2);
  EXPECT_EQ(agreementClass(u"libro"), 1);
  EXPECT_EQ(agreementClass(u"casas"), 1);
  EXPECT_EQ(agreementClass(u"mano"), 2);
  EXPECT_EQ(agreementClass(u"noche"), 2);
  EXPECT_EQ(agreementClass(u"Mano"), 1);  // compared as written
  EXPECT_EQ(agreementClass(u"$"), 3);
}

TEST(NormaliseEs, NumberAgreesWithFollowingWord) {
  EXPECT_EQ(toUtf8(normalise(&tts::kTextLanguageEs, u"21,5 libros", 0)), "veintiun coma cinco|libros");
  EXPECT_EQ(toUtf8(normalise(&tts::kTextLanguageEs, u"31,0 casa", 0)), "treinta i una|casa");
  EXPECT_EQ(toUtf8(normalise(&tts::kTextLanguageEs, u"1,1 casa", 0)), "uno coma una|casa");
}

}  // namespace
