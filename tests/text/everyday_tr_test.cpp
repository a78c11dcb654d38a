// engine_tr: the everyday reading next to the literal one, and the mends that
// hold in both.
#include <gtest/gtest.h>

#include "text/chunking.h"
#include "text_test_util.h"

namespace {

const tts::TextLanguage* const kTr = &tts::kTextLanguageTr;

TEST(EverydayTr, Numbers) {
  text_test::expectReadings(kTr, {
      {u"Stada 48.200 kişi.", "Stada kırk sekiz nokta iki yüz|kişi.", "Stada kırk sekiz bin iki yüz kişi."},
      {u"Faiz 12,5 ve 0,75 oldu.", "Faiz on iki,beş|ve sıfır |,yetmiş beş|oldu.",
       "Faiz on iki virgül beş ve sıfır virgül yetmiş beş oldu."},
      {u"Satışlar %25 arttı, 50% düştü.", "Satışlar,yirmi beş|arttı,yüzde elli düştü.",
       "Satışlar yüzde yirmi beş arttı,yüzde elli düştü."},
      {u"Numara 0532 123 45 67, kod 0090.", nullptr,
       "Numara sıfır beş üç iki bir iki üç dört beş altı yedi,kod sıfır sıfır dokuz sıfır."},
      {u"1990'da ve saat 10:05'te geldi.", "bin dokuz yüz doksan,da ve saat on sıfır beş,te geldi.",
       "bin dokuz yüz doksanda ve saat on sıfır beşte geldi."},
      {u"20.05.2007 saat 10.30", nullptr, "yirmi mayıs,iki bin yedi saat on otuz"},
  });
}

TEST(EverydayTr, AbbreviationsOrdinalsUnits) {
  text_test::expectReadings(kTr, {
      {u"3. sınıf, 4. kat, 6. gün, 9. ay, 10. yıl, 21. yüzyıl, 40. oda, 100. yıl.",
       nullptr,
       "üçüncü sınıf,dördüncü kat,altıncı gün,dokuzuncu ay,onuncu yıl,yirmi birinci yüzyıl,kırkıncı oda,"
       "yüzüncü yıl."},
      {u"Dr. Ayşe ve Prof. Mehmet Atatürk Cad. ile Gül Sok. köşesinde, Yeni Mah. içinde.",
       "Dr.Ayşe ve Prof.Mehmet Atatürk Cad.ile Gül Sok.köşesinde,Yeni Mah.içinde.",
       "doktor Ayşe ve profesör Mehmet Atatürk caddesi ile Gül sokağı köşesinde,Yeni mahallesi içinde."},
      {u"Elma, armut vb. meyveler, s. 12, vs. Sonra gitti.", nullptr,
       "Elma,armut ve benzeri meyveler,sayfa on iki,vesaire.Sonra gitti."},
      {u"Yol 12 km, hız 90 km/h, 2,5 kg, -4 °C.", nullptr,
       "Yol on iki kilometre,hız saatte doksan kilometre,iki virgül beş kilogram,eksi dört derece."},
  });
}

TEST(EverydayTr, MendsInBothReadings) {
  text_test::expectReadings(kTr, {
      // A suffix after an apostrophe stays in the word: no comma, no break.
      {u"Bursa'ya ve Türkiye'nin başkentine", "Bursa'ya ve Türkiye'nin başkentine",
       "Bursa'ya ve Türkiye'nin başkentine"},
      // Two or more '.' never make a decimal followed by a sentence end.
      {u"1.234.567 ile 1.2.3 sürümü", "bir milyon iki yüz otuz dört bin beş yüz altmış yedi|ile bir |nokta iki |nokta üç ||sürümü",
       "bir milyon iki yüz otuz dört bin beş yüz altmış yedi ile bir nokta iki nokta üç sürümü"},
  });
  EXPECT_EQ(tts::legalChunkLength(kTr, u"-4 derece"), 9);  // the minus starts the chunk
  const auto e = text_test::entries(kTr, u"Ali Bursa'ya gitti.");
  EXPECT_EQ(e.size(), 4u);
}

TEST(EverydayTr, RandomMixesStayBounded) {
  text_test::expectEverydayBounded(kTr, {u"1", u"0", u"12", u"400", u"123", u" ", u" ", u".", u",", u"-", u"/", u"+", u"\u00B0C", u"km", u"h", u"Cad", u"vb", u"s\u0131n\u0131f", u"'", u"da", u"%", u"TL", u"@", u"x"});
}

}  // namespace
