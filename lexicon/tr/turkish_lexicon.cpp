// The Turkish exception list and the inflectional suffixes that names keep their stress under.
#include "tr/turkish_lexicon.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace corvum {
namespace tr {
namespace {

constexpr uint8_t S = kSuffixable;
constexpr uint8_t C = kCapsWord;
constexpr int8_t R = kFinalStress;
constexpr int8_t U = kUnstressed;

// Stress is the syllable number from the start of the word.
constexpr Entry kEntries[] = {
    // Place names: stress stays on the stem whatever follows it.
    {u"ankara", u"", 1, S}, {u"istanbul", u"", 2, S}, {u"izmir", u"", 1, S}, {u"türkiye", u"", 1, S},
    {u"avrupa", u"", 2, S}, {u"antalya", u"", 2, S}, {u"adana", u"", 1, S}, {u"bursa", u"", 1, S},
    {u"konya", u"", 1, S}, {u"samsun", u"", 1, S}, {u"trabzon", u"", 1, S}, {u"erzurum", u"", 1, S},
    {u"kayseri", u"", 1, S}, {u"eskişehir", u"", 2, S}, {u"gaziantep", u"", 2, S},
    {u"diyarbakır", u"", 2, S}, {u"malatya", u"", 2, S}, {u"mersin", u"", 1, S}, {u"edirne", u"", 2, S},
    {u"kocaeli", u"", 2, S}, {u"sakarya", u"", 2, S}, {u"manisa", u"", 1, S}, {u"denizli", u"", 2, S},
    {u"muğla", u"", 1, S}, {u"rize", u"", 1, S}, {u"sivas", u"", 1, S}, {u"hatay", u"", 1, S},
    {u"giresun", u"", 1, S}, {u"zonguldak", u"", 1, S}, {u"çanakkale", u"", 2, S}, {u"tekirdağ", u"", 2, S},
    {u"balıkesir", u"", 2, S}, {u"kütahya", u"", 2, S}, {u"ısparta", u"", 2, S}, {u"burdur", u"", 1, S},
    {u"elazığ", u"", 1, S}, {u"bolu", u"", 1, S}, {u"yalova", u"", 1, S}, {u"bilecik", u"", 1, S},
    {u"kırşehir", u"", 1, S}, {u"nevşehir", u"", 1, S}, {u"şanlıurfa", u"", 2, S}, {u"urfa", u"", 1, S},
    {u"mardin", u"", 1, S}, {u"batman", u"", 1, S}, {u"siirt", u"", 1, S}, {u"erzincan", u"", 1, S},
    {u"amasya", u"", 2, S}, {u"çorum", u"", 1, S}, {u"sinop", u"", 1, S}, {u"kastamonu", u"", 2, S},
    {u"karabük", u"", 1, S}, {u"artvin", u"", 1, S}, {u"niğde", u"", 1, S}, {u"aksaray", u"", 1, S},
    {u"karaman", u"", 1, S}, {u"kırıkkale", u"", 2, S}, {u"osmaniye", u"", 2, S}, {u"düzce", u"", 1, S},
    {u"kilis", u"", 1, S}, {u"bitlis", u"", 1, S}, {u"hakkari", u"", 2, S}, {u"bingöl", u"", 1, S},
    {u"tunceli", u"", 1, S}, {u"ardahan", u"", 1, S}, {u"ığdır", u"", 1, S}, {u"bartın", u"", 1, S},
    {u"gümüşhane", u"", 2, S}, {u"bayburt", u"", 1, S}, {u"adıyaman", u"", 2, S},
    {u"kahramanmaraş", u"", 3, S}, {u"marmaris", u"", 1, S}, {u"kapadokya", u"", 3, S},
    {u"anadolu", u"", 2, S}, {u"trakya", u"", 1, S}, {u"karadeniz", u"", 2, S}, {u"akdeniz", u"", 1, S},
    {u"ege", u"", 1, S}, {u"marmara", u"", 1, S}, {u"boğaziçi", u"", 2, S}, {u"kadıköy", u"", 1, S},
    {u"beşiktaş", u"", 2, S}, {u"üsküdar", u"", 1, S}, {u"taksim", u"", 1, S}, {u"beyoğlu", u"", 1, S},
    {u"fatih", u"", 1, S}, {u"bakırköy", u"", 2, S}, {u"kızılay", u"", 1, S}, {u"çankaya", u"", 1, S},
    {u"alanya", u"", 2, S}, {u"nazilli", u"", 2, S}, {u"londra", u"", 1, S}, {u"paris", u"", 1, S},
    {u"berlin", u"", 1, S}, {u"almanya", u"", 2, S}, {u"fransa", u"", 1, S}, {u"ingiltere", u"", 3, S},
    {u"italya", u"", 2, S}, {u"ispanya", u"", 2, S}, {u"yunanistan", u"", 2, S}, {u"rusya", u"", 1, S},
    {u"amerika", u"", 2, S}, {u"japonya", u"", 2, S}, {u"hindistan", u"", 1, S}, {u"iran", u"", 1, S},
    {u"ırak", u"", 1, S}, {u"suriye", u"", 1, S}, {u"bulgaristan", u"", 2, S}, {u"kıbrıs", u"", 1, S},
    {u"azerbaycan", u"", 2, S}, {u"gürcistan", u"", 1, S}, {u"ermenistan", u"", 2, S},
    {u"afrika", u"", 1, S}, {u"asya", u"", 1, S}, {u"avustralya", u"", 3, S}, {u"kanada", u"", 1, S},
    {u"meksika", u"", 1, S}, {u"brezilya", u"", 2, S}, {u"arjantin", u"", 1, S}, {u"hollanda", u"", 2, S},
    {u"belçika", u"", 1, S}, {u"isviçre", u"", 1, S}, {u"avusturya", u"", 2, S}, {u"polonya", u"", 2, S},
    {u"macaristan", u"", 2, S}, {u"romanya", u"", 2, S}, {u"ukrayna", u"", 2, S}, {u"isveç", u"", 1, S},
    {u"norveç", u"", 1, S}, {u"danimarka", u"", 3, S}, {u"finlandiya", u"", 2, S}, {u"portekiz", u"", 1, S},
    {u"moskova", u"", 1, S}, {u"roma", u"", 1, S}, {u"atina", u"", 1, S}, {u"viyana", u"", 2, S},
    {u"bakü", u"", 1, S}, {u"tahran", u"", 1, S}, {u"bağdat", u"", 1, S}, {u"kahire", u"", 1, S},
    {u"medine", u"", 2, S}, {u"kudüs", u"", 1, S}, {u"çin", u"", 1, S}, {u"kars", u"", 1, S},
    {u"muş", u"", 1, S}, {u"şam", u"", 1, S},
    // Personal names.
    {u"mehmet", u"", 1, S}, {u"ahmet", u"", 1, S}, {u"ayşe", u"", 1, S}, {u"fatma", u"", 1, S},
    {u"mustafa", u"", 1, S}, {u"ali", u"", 1, S}, {u"hasan", u"", 1, S}, {u"hüseyin", u"", 1, S},
    {u"emine", u"", 1, S}, {u"zeynep", u"", 1, S}, {u"atatürk", u"", 1, S}, {u"ömer", u"", 1, S},
    {u"osman", u"", 1, S}, {u"ibrahim", u"", 1, S}, {u"yusuf", u"", 1, S}, {u"erdoğan", u"", 1, S},
    {u"orhan", u"", 1, S},
    // Words that merely begin like a name above.
    {u"roman", u"", R, 0}, {u"çini", u"", R, 0}, {u"alim", u"", R, 0}, {u"iranlı", u"", R, 0},
    // Adverbs, conjunctions, interjections and postpositions.
    {u"şimdi", u"", 1, S}, {u"sonra", u"", 1, S}, {u"yarın", u"", 1, S}, {u"bugün", u"", 1, S},
    {u"yine", u"", 1, 0}, {u"gene", u"", 1, 0}, {u"belki", u"", 1, 0}, {u"hemen", u"", 1, 0},
    {u"henüz", u"", 1, 0}, {u"bazen", u"", 1, 0}, {u"sadece", u"", 1, 0}, {u"yalnız", u"", 1, 0},
    {u"ancak", u"", 1, 0}, {u"fakat", u"", 1, 0}, {u"ama", u"", 1, C}, {u"lakin", u"", 1, 0},
    {u"çünkü", u"", 1, 0}, {u"gerçi", u"", 1, 0}, {u"hatta", u"", 1, 0}, {u"sanki", u"", 1, 0},
    {u"yani", u"", 1, 0}, {u"hani", u"", 1, 0}, {u"evet", u"", 1, C}, {u"hayır", u"", 1, C},
    {u"lütfen", u"", 1, 0}, {u"merhaba", u"", 1, 0}, {u"nasıl", u"", 1, S}, {u"neden", u"", 1, 0},
    {u"niçin", u"", 1, 0}, {u"nereye", u"", 1, 0}, {u"nerede", u"", 1, 0}, {u"nereden", u"", 1, 0},
    {u"nerde", u"", 1, 0}, {u"hangi", u"", 1, S}, {u"burada", u"", 1, 0}, {u"şurada", u"", 1, 0},
    {u"orada", u"", 1, 0}, {u"burası", u"", 1, S}, {u"orası", u"", 1, S}, {u"şurası", u"", 1, S},
    {u"aşağı", u"", 1, S}, {u"yukarı", u"", 1, S}, {u"dışarı", u"", 1, S}, {u"içeri", u"", 1, S},
    {u"ileri", u"", 1, 0}, {u"geri", u"", 1, 0}, {u"öyle", u"", 1, 0}, {u"böyle", u"", 1, 0},
    {u"şöyle", u"", 1, 0}, {u"önce", u"", 1, 0}, {u"kadar", u"", 1, 0}, {u"göre", u"", 1, 0},
    {u"gibi", u"", 1, C}, {u"için", u"", 1, C}, {u"ile", u"", 1, C}, {u"diye", u"", 1, 0},
    {u"bile", u"", 1, 0}, {u"dahi", u"", 1, 0}, {u"daha", u"", 1, C}, {u"artık", u"", 1, 0},
    {u"asla", u"", 1, 0}, {u"hiçbir", u"", 1, 0}, {u"herkes", u"", 1, S}, {u"biraz", u"", 1, 0},
    {u"birkaç", u"", 1, 0}, {u"tabii", u"", 1, 0}, {u"elbette", u"", 1, 0}, {u"mutlaka", u"", 1, 0},
    {u"zaten", u"", 1, 0}, {u"galiba", u"", 1, 0}, {u"herhalde", u"", 2, 0}, {u"sabahleyin", u"", 2, 0},
    {u"akşamleyin", u"", 2, 0}, {u"değil", u"", 1, 0}, {u"acaba", u"", 1, 0}, {u"işte", u"", 1, 0},
    {u"peki", u"", 1, 0}, {u"haydi", u"", 1, 0}, {u"hadi", u"", 1, 0}, {u"aferin", u"", 1, 0},
    {u"maalesef", u"", 2, 0}, {u"yoksa", u"", 1, 0}, {u"oysa", u"", 1, 0}, {u"ayrıca", u"", 1, 0},
    {u"genellikle", u"", 2, 0}, {u"özellikle", u"", 2, 0}, {u"gerçekten", u"", 2, 0},
    {u"tamamen", u"", 2, 0}, {u"aslında", u"", 1, 0}, {u"kesinlikle", u"", 2, 0}, {u"kimse", u"", 1, S},
    {u"bazı", u"", 1, 0}, {u"yeniden", u"", 2, 0}, {u"birden", u"", 1, 0},
    // Kinship words and loans with non-final stress.
    {u"anne", u"", 1, S}, {u"baba", u"", 1, S}, {u"amca", u"", 1, S}, {u"dayı", u"", 1, S},
    {u"teyze", u"", 1, S}, {u"hala", u"", 1, S}, {u"abla", u"", 1, S}, {u"ağabey", u"", 1, S},
    {u"dede", u"", 1, S}, {u"nine", u"", 1, S}, {u"masa", u"", 1, S}, {u"lamba", u"", 1, S},
    {u"banka", u"", 1, S}, {u"lokanta", u"", 2, S}, {u"fabrika", u"", 1, S}, {u"gazete", u"", 2, S},
    {u"tiyatro", u"", 2, S}, {u"sandalye", u"", 2, S}, {u"domates", u"", 2, S}, {u"patates", u"", 2, S},
    {u"makine", u"", 1, S}, {u"politika", u"", 2, S}, {u"müzik", u"", 1, S}, {u"kilise", u"", 2, S},
    {u"efendi", u"", 2, S}, {u"pencere", u"", 1, S}, {u"iskele", u"", 2, S}, {u"iskemle", u"", 2, S},
    {u"sinema", u"", 1, S}, {u"kamera", u"", 1, S}, {u"doktor", u"", 1, S}, {u"pasta", u"", 1, S},
    {u"posta", u"", 1, S}, {u"mobilya", u"", 2, S}, {u"salata", u"", 2, S}, {u"bira", u"", 1, S},
    {u"pizza", u"", 1, S}, {u"tenis", u"", 1, S}, {u"futbol", u"", 1, S}, {u"radyo", u"", 1, S},
    {u"video", u"", 1, S}, {u"taksi", u"", 1, S}, {u"çikolata", u"", 3, S}, {u"portakal", u"", 1, S},
    {u"okyanus", u"", 2, S}, {u"fizik", u"", 1, S}, {u"kimya", u"", 1, S}, {u"matematik", u"", 3, S},
    {u"internet", u"", 1, S}, {u"opera", u"", 1, S}, {u"orkestra", u"", 2, S}, {u"pijama", u"", 2, S},
    {u"çanta", u"", 1, S}, {u"tanrı", u"", 1, S}, {u"lira", u"", 1, S}, {u"dolar", u"", 1, S},
    {u"avro", u"", 1, S}, {u"kilo", u"", 1, S}, {u"kilometre", u"", 3, S}, {u"metre", u"", 1, S},
    {u"santimetre", u"", 3, S}, {u"litre", u"", 1, S}, {u"saniye", u"", 1, S}, {u"dakika", u"", 2, S},
    {u"polis", u"", 1, S}, {u"tramvay", u"", 1, S}, {u"vapur", u"", 1, S}, {u"lise", u"", 1, S},
    {u"fakülte", u"", 2, S}, {u"üniversite", u"", 3, S}, {u"teknik", u"", 1, S}, {u"klasik", u"", 1, S},
    {u"sigara", u"", 2, S}, {u"çorba", u"", 1, S}, {u"lahana", u"", 2, S}, {u"fasulye", u"", 2, S},
    {u"maydanoz", u"", 1, S}, {u"kasaba", u"", 1, S},
    // Language names in "-ce/-ca": stressed before the suffix.
    {u"türkçe", u"", 1, S}, {u"ingilizce", u"", 3, S}, {u"almanca", u"", 2, S}, {u"fransızca", u"", 2, S},
    {u"rusça", u"", 1, S}, {u"arapça", u"", 2, S}, {u"ispanyolca", u"", 3, S}, {u"italyanca", u"", 3, S},
    {u"japonca", u"", 2, S}, {u"çince", u"", 1, S}, {u"yunanca", u"", 2, S}, {u"kürtçe", u"", 1, S},
    {u"farsça", u"", 1, S}, {u"lehçe", u"", 1, S},
    // Day and month names with non-final stress.
    {u"pazartesi", u"", 2, S}, {u"salı", u"", 1, S}, {u"çarşamba", u"", 2, S}, {u"perşembe", u"", 2, S},
    {u"cuma", u"", 1, S}, {u"cumartesi", u"", 2, S}, {u"mayıs", u"", 1, S}, {u"ağustos", u"", 2, S},
    // Seasons as adverbs.
    {u"kışın", u"", 1, 0}, {u"yazın", u"", 1, 0},
    // Words that the negative-suffix rule would misread.
    {u"tamam", u"", R, 0}, {u"hamam", u"", R, 0}, {u"madem", u"", 1, 0}, {u"namaz", u"", R, 0},
    {u"komedi", u"", R, 0}, {u"yılmaz", u"", 1, S}, {u"erken", u"", R, 0}, {u"yayla", u"", R, S},
    {u"leyla", u"", 1, S}, {u"ayla", u"", 1, S}, {u"iken", u"", 1, 0},
    // The question particle and the clitics "de"/"da" and "ki", written apart: unstressed.
    {u"mi", u"", U, C}, {u"mı", u"", U, C}, {u"mu", u"", U, C}, {u"mü", u"", U, C},
    {u"miyim", u"", U, 0}, {u"mıyım", u"", U, 0}, {u"muyum", u"", U, 0}, {u"müyüm", u"", U, 0},
    {u"misin", u"", U, 0}, {u"mısın", u"", U, 0}, {u"musun", u"", U, 0}, {u"müsün", u"", U, 0},
    {u"miyiz", u"", U, 0}, {u"mıyız", u"", U, 0}, {u"muyuz", u"", U, 0}, {u"müyüz", u"", U, 0},
    {u"misiniz", u"", U, 0}, {u"mısınız", u"", U, 0}, {u"musunuz", u"", U, 0}, {u"müsünüz", u"", U, 0},
    {u"midir", u"", U, 0}, {u"mıdır", u"", U, 0}, {u"mudur", u"", U, 0}, {u"müdür", u"", R, 0},
    {u"miydi", u"", U, 0}, {u"mıydı", u"", U, 0}, {u"muydu", u"", U, 0}, {u"müydü", u"", U, 0},
    {u"miymiş", u"", U, 0}, {u"mıymış", u"", U, 0}, {u"muymuş", u"", U, 0}, {u"müymüş", u"", U, 0},
    {u"de", u"", U, C}, {u"da", u"", U, C}, {u"ki", u"", U, C},
    // Respelled: foreign spellings, and the verbalisers' own spellings.
    {u"aralik", u"aralık", R, 0}, {u"ıki", u"iki", R, 0}, {u"www", u"ve ve ve", R, 0},
    {u"facebook", u"feysbuk", 1, S}, {u"google", u"gugıl", 1, S}, {u"windows", u"vindovs", 1, S},
    {u"iphone", u"ayfon", 1, S},
    // Acronyms spoken as words.
    {u"nato", u"", 1, C | S}, {u"nasa", u"", 1, C | S}, {u"fifa", u"", 1, C | S},
    {u"unesco", u"", 2, C | S}, {u"odtü", u"", R, C | S}, {u"tübitak", u"", 1, C | S},
    // Short words that stay words when a text is written in capitals.
    {u"ve", u"", R, C}, {u"bu", u"", R, C}, {u"şu", u"", R, C}, {u"o", u"", R, C}, {u"bir", u"", R, C},
    {u"ne", u"", R, C}, {u"çok", u"", R, C}, {u"az", u"", R, C}, {u"en", u"", R, C}, {u"her", u"", R, C},
    {u"var", u"", R, C}, {u"yok", u"", R, C}, {u"ben", u"", R, C}, {u"sen", u"", R, C}, {u"biz", u"", R, C},
    {u"siz", u"", R, C}, {u"ya", u"", R, C}, {u"hem", u"", R, C}, {u"iş", u"", R, C}, {u"ev", u"", R, C},
    {u"yer", u"", R, C}, {u"gün", u"", R, C}, {u"yıl", u"", R, C}, {u"son", u"", R, C}, {u"yeni", u"", R, C},
    {u"ilk", u"", R, C}, {u"iki", u"", R, C}, {u"üç", u"", R, C}, {u"dört", u"", R, C}, {u"beş", u"", R, C},
    {u"altı", u"", R, C}, {u"yedi", u"", R, C}, {u"on", u"", R, C}, {u"yüz", u"", R, C}, {u"bin", u"", R, C},
    {u"ona", u"", R, C}, {u"bunu", u"", R, C}, {u"şey", u"", R, C}, {u"tam", u"", R, C}, {u"kim", u"", R, C},
    {u"hep", u"", R, C}, {u"türk", u"", R, C}, {u"yeni", u"", R, C}, {u"ile", u"", 1, C},
};

struct ByWord {
  bool operator()(const Entry& a, const Entry& b) const { return a.word < b.word; }
  bool operator()(const Entry& a, std::u16string_view b) const { return a.word < b; }
};

const std::vector<Entry>& sortedEntries() {
  static const std::vector<Entry> sorted = [] {
    std::vector<Entry> v(std::begin(kEntries), std::end(kEntries));
    std::stable_sort(v.begin(), v.end(), ByWord());
    // a word listed twice keeps its first entry
    v.erase(std::unique(v.begin(), v.end(), [](const Entry& a, const Entry& b) { return a.word == b.word; }),
            v.end());
    return v;
  }();
  return sorted;
}

// Inflectional suffixes after which a name keeps its own stress.
constexpr std::u16string_view kSuffixes[] = {
    u"lar", u"ler", u"m", u"ım", u"im", u"um", u"üm", u"n", u"ın", u"in", u"un", u"ün", u"ı", u"i", u"u",
    u"ü", u"sı", u"si", u"su", u"sü", u"mız", u"miz", u"muz", u"müz", u"nız", u"niz", u"nuz", u"nüz",
    u"yı", u"yi", u"yu", u"yü", u"nı", u"ni", u"nu", u"nü", u"a", u"e", u"ya", u"ye", u"na", u"ne",
    u"da", u"de", u"ta", u"te", u"nda", u"nde", u"dan", u"den", u"tan", u"ten", u"ndan", u"nden",
    u"nın", u"nin", u"nun", u"nün", u"la", u"le", u"yla", u"yle", u"ki", u"kü", u"dır", u"dir", u"dur", u"dür",
    u"tır", u"tir", u"tur", u"tür", u"sın", u"sin", u"sun", u"sün", u"yım", u"yim", u"yum", u"yüm", u"ız",
    u"iz", u"uz", u"üz", u"yız", u"yiz", u"yuz", u"yüz",
};

bool chain(std::u16string_view rest, int depth) {
  if (rest.empty()) return true;
  if (depth == 0) return false;
  for (std::u16string_view s : kSuffixes)
    if (rest.size() >= s.size() && rest.compare(0, s.size(), s) == 0 && chain(rest.substr(s.size()), depth - 1))
      return true;
  return false;
}

}  // namespace

const Entry* findEntry(std::u16string_view lower) {
  const std::vector<Entry>& v = sortedEntries();
  auto it = std::lower_bound(v.begin(), v.end(), lower, ByWord());
  if (it == v.end() || it->word != lower) return nullptr;
  return &*it;
}

bool isInflectionChain(std::u16string_view rest) { return !rest.empty() && chain(rest, 4); }

}  // namespace tr
}  // namespace corvum
