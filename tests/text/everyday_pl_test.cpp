// engine_pl: the everyday reading next to the literal one, and the mends that
// hold in both.
#include <gtest/gtest.h>

#include "text/chunking.h"
#include "text_test_util.h"

namespace {

const tts::TextLanguage* const kPl = &tts::kTextLanguagePl;

TEST(EverydayPl, Numbers) {
  text_test::expectReadings(kPl, {
      {u"Kupił 275 książek i 22 krzesła.", "kupił  dwa| siedem| pięć||książek i dwadzieścia dwa|krzesła.",
       "kupił dwieście siedemdziesiąt pięć książek i dwadzieścia dwa krzesła."},
      {u"Mieszka tu 12 400 osób, a tam 1.250.000 osób.", nullptr,
       "mieszka tu dwanaście tysięcy czterysta osób,a tam jeden milion dwieście pięćdziesiąt tysięcy osób."},
      {u"Dzwoń pod 600 123 456 albo 22 123 45 67.", nullptr,
       "dzwoń pod sześć zero zero jeden dwa trzy cztery pięć sześć albo dwa dwa jeden dwa trzy cztery pięć "
       "sześć siedem."},
      {u"Kod 0048.", "kod  zero| zero| cztery| osiem|.", "kod zero zero cztery osiem."},
      {u"Stopa 3,5% i 12,25 %.", "stopa trzy przecinek  pięć| procent i dwanaście przecinek  dwa| pięć| procent.",
       "stopa trzy przecinek pięć procent i dwanaście przecinek dwadzieścia pięć procent."},
      {u"Wersja 1.2.3 z 20.05.2007.", nullptr,
       "wersja jeden kropka dwa kropka trzy z dwudziestego maja,dwa tysiące siódmy."},
  });
}

TEST(EverydayPl, AbbreviationsOrdinalsUnits) {
  text_test::expectReadings(kPl, {
      // The ordinal takes its form from the next word's ending.
      {u"Zajął 7. miejsce, a ona 3. klasę w 1. dniu i 2. rundzie, 3. klasa, 1. dzień.",
       "zajął siedem.miejsce,a ona trzy.klasę w jeden.dniu i dwa.rundzie,trzy.klasa,jeden.dzień.",
       "zajął siódme miejsce,a ona trzecią klasę w pierwszym dniu i drugiej rundzie,trzecia klasa,pierwszy "
       "dzień."},
      {u"Dr Nowak i prof. Kowalska, inż. Zając mieszkają przy ul. Długiej, al. Róż, pl. Zbawiciela.",
       "dr nowak i prof.kowalska,inż.zając mieszkają przy ul.długiej,al.róż,pl.zbawiciela.",
       "doktor nowak i profesor kowalska,inżynier zając mieszkają przy ulica długiej,aleja róż,plac zbawiciela."},
      {u"O godz. 12.30, nr 5, str. 5, s. 7.", nullptr,
       "o godzina dwunasta trzydzieści,numer pięć,strona pięć,strona siedem."},
      {u"Jabłka itd. Potem m.in. gruszki, np. papierówki, tj. owoce.", nullptr,
       "jabłka i tak dalej.potem między innymi gruszki,na przykład papierówki,to jest owoce."},
      {u"Przejechał 5 km, 3 km, 1,5 km przy 90 km/h.", "przejechał pięć|km,trzy|km,jeden przecinek  pięć||km przy dziewięćdziesiąt|km,h.",
       "przejechał pięć kilometrów,trzy kilometry,jeden przecinek pięć kilometra przy dziewięćdziesiąt "
       "kilometrów na godzinę."},
      {u"Waży 1 kg, 200 g, 330 ml, 170 cm, 5 mm, 2 l, -4 °C.", nullptr,
       "waży jeden kilogram,dwieście gramów,trzysta trzydzieści mililitrów,sto siedemdziesiąt centymetrów,pięć "
       "milimetrów,dwa litry,minus cztery stopnie Celsjusza."},
      {u"Kosztuje 2 tys. zł i 5 mln zł.", nullptr, "kosztuje dwa tysiące złotych i pięć milionów złotych."},
  });
}

TEST(EverydayPl, MendsInBothReadings) {
  text_test::expectReadings(kPl, {
      {u"pisz na jan@wp.pl", "pisz na jan małpa wp kropka pl,", "pisz na jan małpa wp kropka pl,"},
      {u"-4 stopnie", "minus cztery|stopnie", "minus cztery stopnie"},
  });
  EXPECT_EQ(tts::legalChunkLength(kPl, u"-4 stopnie"), 10);  // the minus starts the chunk
}

TEST(EverydayPl, RandomMixesStayBounded) {
  text_test::expectEverydayBounded(kPl, {u"1", u"0", u"12", u"400", u"123", u" ", u" ", u".", u",", u"-", u"/", u"+", u"\u00B0C", u"km", u"h", u"ul", u"m", u"in", u"tys", u"z\u0142", u"miejsce", u"Klasa", u"r", u"%", u"@", u"x"});
}

}  // namespace
