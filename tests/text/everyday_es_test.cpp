// engine_es: the everyday reading next to the literal one, and the mends that
// hold in both.
#include <gtest/gtest.h>

#include "text/chunking.h"
#include "text_test_util.h"

namespace {

using text_test::ReadingCase;
const tts::TextLanguage* const kEs = &tts::kTextLanguageEs;

TEST(EverydayEs, Numbers) {
  text_test::expectReadings(kEs, {
      {u"Compré 275 sillas.", "Compré  dos| siete| cinco||sillas.", "Compré doscientas setenta y cinco sillas."},
      {u"Hay 21 libros y 1 mesa.", "Hay veintiuno|libros y uno|mesa.", "Hay veintiún libros y una mesa."},
      {u"Son 1.000.000 de euros y 2.000.000 personas.", nullptr,
       "Son un millón de euros y dos millones de personas."},
      {u"123456789012345", nullptr,
       "ciento veintitrés billones cuatrocientos cincuenta y seis mil setecientos ochenta y nueve millones doce "
       "mil trescientos cuarenta y cinco"},
      {u"1234567890123456", nullptr,
       "uno dos tres cuatro cinco seis siete ocho nueve cero uno dos tres cuatro cinco seis"},
      // Leading zeros, three or more groups, and a three-digit head of three groups are codes.
      {u"Llamé al 600 123 456 y al 91 123 45 67.", nullptr,
       "Llamé al seis cero cero uno dos tres cuatro cinco seis y al nueve uno uno dos tres cuatro cinco seis "
       "siete."},
      {u"El código 0034.", "El código  cero| cero| tres| cuatro|.", "El código cero cero tres cuatro."},
      {u"Pagó 12 400 euros y 3.500,25 euros.", nullptr,
       "Pagó doce mil cuatrocientos euros y tres mil quinientos coma veinticinco euros."},
      {u"Versión 2.0.1 y 3.5 kilos.", nullptr, "Versión dos punto cero punto uno y tres punto cinco kilos."},
      {u"Nació el 20.05.2007 a las 10.30.", nullptr,
       "Nació el veinte de mayo de dos mil siete a las diez y treinta."},
  });
}

TEST(EverydayEs, AbbreviationsOrdinalsUnits) {
  text_test::expectReadings(kEs, {
      {u"El 1.º y la 2.ª y el 3.er puesto.", "El uno.y la dos.y el tres.er puesto.",
       "El primero y la segunda y el tercer puesto."},
      {u"La 21.ª edición.", nullptr, "La vigésima primera edición."},
      {u"El Sr. López y la Dra. Ruiz viven en la Avda. del Sol, núm. 3.",
       "El Sr.López y la Dra.Ruiz viven en la Avda.del Sol,núm.tres.",
       "El señor López y la doctora Ruiz viven en la avenida del Sol,número tres."},
      // A full stop after an abbreviation ends the sentence only before a capital or at the end.
      {u"Llegó a las 9 a. m. Luego se fue.", nullptr, "Llegó a las nueve de la mañana.Luego se fue."},
      {u"Ver pág. 12, etc. Fin.", nullptr, "Ver página doce,etcétera.Fin."},
      {u"Vive en C/ Mayor.", nullptr, "Vive en calle Mayor."},
      {u"Corre 5 km a 12 km/h con 1 l de agua y 2,5 kg.", "Corre cinco|km a doce|km,h con uno|l de agua y dos coma cinco|kg.",
       "Corre cinco kilómetros a doce kilómetros por hora con un litro de agua y dos coma cinco kilos."},
      {u"Hace 25 °C y 1 m.", nullptr, "Hace veinticinco grados y un metro."},
  });
}

TEST(EverydayEs, MendsInBothReadings) {
  text_test::expectReadings(kEs, {
      {u"a las 9:15", "a las nueve i quince,", "a las nueve y quince"},
      {u"Las 1:05 y la 1:05", "Las una i cinco,y la una i cinco,", "Las una y cinco y la una y cinco"},
      {u"escribe a ana@correo.es", "escribe a ana arroba correo punto es,", "escribe a ana arroba correo punto es,"},
  });
  // A minus sign directly before a digit starts a chunk; other leading marks are skipped.
  EXPECT_EQ(tts::legalChunkLength(kEs, u"-4 grados"), 9);
  EXPECT_EQ(tts::legalChunkLength(kEs, u" -4"), -1);
  EXPECT_EQ(tts::legalChunkLength(kEs, u"- 4"), -2);
  EXPECT_EQ(tts::legalChunkLength(kEs, u"25 \u00B0C, 1.\u00BA"), 10);
}

TEST(EverydayEs, NoBreaksInsideNumbersOrAfterAbbreviations) {
  const auto e = text_test::entries(kEs, u"El Sr. Pérez pagó 12 400 euros el 1.º de mayo. Luego se fue.", 0,
                                    tts::kReadingEveryday);
  int32_t stops = 0, minors = 0;
  for (const auto& s : e) {
    stops += s == u".";
    minors += s == u"|";
  }
  EXPECT_EQ(stops, 2);
  EXPECT_EQ(minors, 0);
}

TEST(EverydayEs, RandomMixesStayBounded) {
  text_test::expectEverydayBounded(kEs, {u"1", u"0", u"12", u"400", u"123", u" ", u" ", u".", u",", u"-", u"/", u"+", u"\u00BA", u"\u00AA", u"er", u"\u00B0C", u"km", u"h", u"Sr", u"a", u"m", u"EE", u"UU", u"C", u"las", u":", u"%", u"\u20AC", u"@", u"x"});
}

}  // namespace
