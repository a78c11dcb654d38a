// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
// Carrier-word corpus and phone labels of the reference speaker.
#include "carrier_corpus.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace refspeaker {

bool parseDiphone(const std::string& text, Diphone* out) {
  if (text.rfind("##-", 0) == 0) {
    if (text.size() <= 3) return false;
    *out = Diphone("##", text.substr(3));
    return true;
  }
  const size_t dash = text.find('-', 1);
  if (dash == std::string::npos || dash + 1 >= text.size()) return false;
  *out = Diphone(text.substr(0, dash), text.substr(dash + 1));
  return true;
}

namespace {

bool isVowel(const LanguageMap& map, const std::string& phone) {
  const PhoneRender* r = findPhone(map, phone);
  return r != nullptr && r->vowel;
}

// Length of the run of phones of the same class (vowel or not) as `vowel` at the end of `phones`.
int trailingRun(const LanguageMap& map, const std::vector<std::string>& phones, bool vowel) {
  int run = 0;
  for (size_t i = phones.size(); i-- > 0;) {
    if (isVowel(map, phones[i]) != vowel) break;
    ++run;
  }
  return run;
}

// Neutral phones around a carrier: a consonant-initial word gets "a" before
// it, a vowel-initial one "t"; a consonant-final word gets "a" after it.
void pad(const LanguageMap& map, Carrier& c) {
  if (c.phones.empty()) return;
  if (!c.leftSilence) c.phones.insert(c.phones.begin(), isVowel(map, c.phones.front()) ? "t" : "a");
  if (!c.rightSilence && !isVowel(map, c.phones.back())) c.phones.push_back("a");
}

}  // namespace

bool beforeConsonant(const LanguageMap& map, const std::vector<std::string>& phones, size_t i) {
  return i + 1 >= phones.size() || !isVowel(map, phones[i + 1]);
}

std::vector<Carrier> buildCarriers(const LanguageMap& map, const std::vector<Diphone>& targets,
                                   const CorpusOptions& options, bool* silencePair,
                                   std::vector<std::string>* unknown) {
  if (silencePair) *silencePair = false;
  std::set<std::string> starts, ends;  // phones wanted after / before silence
  std::map<std::string, std::set<std::string>> next;
  std::set<std::string> missing;
  for (const auto& t : targets) {
    bool known = true;
    for (const std::string& p : {t.first, t.second})
      if (p != "##" && findPhone(map, p) == nullptr) {
        missing.insert(p);
        known = false;
      }
    if (!known) continue;
    if (t.first == "##" && t.second == "##") {
      if (silencePair) *silencePair = true;
    } else if (t.first == "##") {
      starts.insert(t.second);
    } else if (t.second == "##") {
      ends.insert(t.first);
    } else {
      next[t.first].insert(t.second);
    }
  }
  if (unknown) unknown->assign(missing.begin(), missing.end());
  auto outDegree = [&](const std::string& p) {
    auto it = next.find(p);
    return it == next.end() ? 0 : static_cast<int>(it->second.size());
  };

  std::vector<Carrier> carriers;
  for (;;) {
    Carrier c;
    if (!starts.empty()) {
      c.phones.push_back(*starts.begin());
      c.covers.emplace_back("##", *starts.begin());
      starts.erase(starts.begin());
      c.leftSilence = true;
    } else {
      // A chain opens best where more pairs leave a phone than reach it
      // (as in a path through the pair graph); then at the busiest phone.
      std::map<std::string, int> inDegree;
      for (const auto& entry : next)
        for (const std::string& q : entry.second) ++inDegree[q];
      std::string best;
      int bestDegree = 0, bestSurplus = 0;
      for (const auto& entry : next) {
        const int degree = static_cast<int>(entry.second.size());
        const int surplus = degree - inDegree[entry.first];
        if (degree > 0 && (best.empty() || surplus > bestSurplus || (surplus == bestSurplus && degree > bestDegree))) {
          best = entry.first;
          bestDegree = degree;
          bestSurplus = surplus;
        }
      }
      if (bestDegree == 0) {
        if (ends.empty()) break;
        c.phones.push_back(*ends.begin());
      } else {
        c.phones.push_back(best);
      }
    }
    while (static_cast<int>(c.phones.size()) < options.maxPhones) {
      const std::string last = c.phones.back();
      auto it = next.find(last);
      if (it == next.end() || it->second.empty()) break;
      std::string chosen;
      int chosenDegree = -1;
      for (const std::string& q : it->second) {
        const bool v = isVowel(map, q);
        const int run = trailingRun(map, c.phones, v);
        if (run + 1 > (v ? options.maxVowels : options.maxConsonants)) continue;
        // Prefer a phone that can carry the chain on; then one that must end it before silence.
        const int degree = outDegree(q) * 2 + (ends.count(q) ? 1 : 0) - (q == last ? 1 : 0);
        if (degree > chosenDegree) {
          chosen = q;
          chosenDegree = degree;
        }
      }
      if (chosen.empty()) break;
      it->second.erase(chosen);
      if (it->second.empty()) next.erase(it);
      c.covers.emplace_back(last, chosen);
      c.phones.push_back(chosen);
    }
    if (c.covers.empty() && !next.empty() && next.count(c.phones.back())) {
      // Run limits below 2 would stop every chain: take one pair as it is.
      auto it = next.find(c.phones.back());
      const std::string q = *it->second.begin();
      it->second.erase(it->second.begin());
      if (it->second.empty()) next.erase(it);
      c.covers.emplace_back(c.phones.back(), q);
      c.phones.push_back(q);
    }
    if (ends.count(c.phones.back())) {
      ends.erase(c.phones.back());
      c.covers.emplace_back(c.phones.back(), "##");
      c.rightSilence = true;
    }
    pad(map, c);
    carriers.push_back(c);
  }
  return carriers;
}

std::vector<Carrier> singleCarriers(const LanguageMap& map, const std::vector<Diphone>& targets) {
  std::vector<Carrier> carriers;
  for (const auto& t : targets) {
    Carrier c;
    c.covers.push_back(t);
    if (t.first == "##" && t.second == "##") continue;
    if (t.first == "##") {
      c.phones = {t.second};
      c.leftSilence = true;
    } else if (t.second == "##") {
      c.phones = {t.first};
      c.rightSilence = true;
    } else {
      c.phones = {t.first, t.second};
    }
    pad(map, c);
    carriers.push_back(c);
  }
  return carriers;
}

std::string espeakInput(const LanguageMap& map, const Carrier& carrier) {
  // Primary stress on the vowel nearest the middle of the word.
  int stressed = -1;
  const int n = static_cast<int>(carrier.phones.size());
  for (int i = 0; i < n; ++i) {
    if (!isVowel(map, carrier.phones[i])) continue;
    if (stressed < 0 || std::abs(2 * i + 1 - n) < std::abs(2 * stressed + 1 - n)) stressed = i;
  }
  std::string text = "[[";
  for (int i = 0; i < n; ++i) {
    const PhoneRender* r = findPhone(map, carrier.phones[i]);
    if (r == nullptr) continue;
    std::vector<std::string> parts = renderParts(*r, beforeConsonant(map, carrier.phones, i));
    for (size_t k = 0; k < parts.size(); ++k) {
      if (text.size() > 2) text += '|';
      if (i == stressed && k == 0) text += '\'';
      text += parts[k];
    }
  }
  text += "]]";
  return text;
}

std::vector<Segment> alignEvents(const LanguageMap& map, const std::vector<std::string>& phones,
                                 const std::vector<PhonemeEvent>& events, int64_t total, std::string* error) {
  std::vector<Segment> segs;
  segs.push_back({"##", 0, 0});
  size_t i = 0;
  std::vector<std::string> parts;
  size_t partIndex = 0;
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::vector<Segment>();
  };
  for (const auto& e : events) {
    if (partIndex < parts.size() && e.mnemonic == parts[partIndex]) {
      ++partIndex;
      continue;
    }
    partIndex = parts.size();
    const char* label = phoneOfMnemonic(map, e.mnemonic);
    if (i < phones.size()) {
      const PhoneRender* r = findPhone(map, phones[i]);
      if (r == nullptr) return fail("no render for phone " + phones[i]);
      std::vector<std::string> wanted = renderParts(*r, beforeConsonant(map, phones, i));
      const bool first = !wanted.empty() && e.mnemonic == wanted[0];
      if (first || (label != nullptr && phones[i] == label) || isSubstitute(map, phones[i], e.mnemonic)) {
        if (e.sample < segs.back().start) return fail("events out of order at " + e.mnemonic);
        segs.push_back({phones[i], e.sample, 0});
        ++i;
        parts = first ? wanted : std::vector<std::string>();
        partIndex = first ? 1 : parts.size();
        continue;
      }
    }
    if (label == nullptr) return fail("unknown eSpeak NG phoneme " + e.mnemonic);
    if (label[0] == '\0') continue;  // belongs to the phone before it
    if (std::string(label) == "##") {
      if (i == 0) continue;  // part of the leading silence
      if (i == phones.size()) {
        if (segs.back().phone != "##") segs.push_back({"##", e.sample, 0});
        continue;
      }
      return fail("pause inside the carrier before " + phones[i]);
    }
    return fail("eSpeak NG said " + e.mnemonic + (i < phones.size() ? " for " + phones[i] : " after the end"));
  }
  if (i < phones.size()) return fail("eSpeak NG did not say " + phones[i]);
  if (segs.back().phone != "##") segs.push_back({"##", total, 0});
  for (size_t k = 0; k + 1 < segs.size(); ++k) segs[k].end = segs[k + 1].start;
  segs.back().end = total;
  // The leading silence may be empty; the padding added later fills it.
  for (size_t k = 1; k < segs.size(); ++k)
    if (segs[k].end <= segs[k].start && !(k + 1 == segs.size() && segs[k].phone == "##"))
      return fail("empty segment " + segs[k].phone);
  return segs;
}

std::vector<Segment> rescaleSegments(const std::vector<Segment>& segments, int fromRate, int toRate, int64_t pad,
                                     int64_t totalOut) {
  std::vector<Segment> out;
  if (segments.empty() || fromRate <= 0 || toRate <= 0) return out;
  for (size_t k = 0; k < segments.size(); ++k) {
    Segment s = segments[k];
    s.start = k == 0 ? 0 : (segments[k].start * toRate + fromRate / 2) / fromRate + pad;
    out.push_back(s);
  }
  for (size_t k = 0; k + 1 < out.size(); ++k) out[k].end = out[k + 1].start;
  out.back().end = totalOut;
  for (const auto& s : out)
    if (s.end <= s.start) return {};
  return out;
}

void moveStopsToClosure(const LanguageMap& map, const std::vector<short>& samples, int rate,
                        std::vector<Segment>& segments) {
  const int64_t frame = rate / 200;  // 5 ms
  if (frame <= 0) return;
  auto frameRms = [&](int64_t start) {
    double sum = 0;
    int64_t n = 0;
    for (int64_t i = start; i < start + frame && i < static_cast<int64_t>(samples.size()); ++i, ++n)
      sum += double(samples[size_t(i)]) * samples[size_t(i)];
    return n ? std::sqrt(sum / double(n)) : 0.0;
  };
  for (size_t k = 1; k < segments.size(); ++k) {
    Segment& prev = segments[k - 1];
    Segment& stop = segments[k];
    if (!isStop(map, stop.phone) || prev.phone == "##") continue;
    const int64_t length = prev.end - prev.start;
    if (length < 3 * frame) continue;
    std::vector<double> levels;
    for (int64_t s = prev.start; s + frame <= prev.end; s += frame) levels.push_back(frameRms(s));
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const double quiet = sorted[sorted.size() / 2] / 10.0;
    const int64_t earliest = std::max(prev.start + (length * 3 + 9) / 10, prev.start + rate / 100);
    int64_t boundary = prev.end;
    while (boundary - frame >= earliest && frameRms(boundary - frame) < quiet) boundary -= frame;
    prev.end = boundary;
    stop.start = boundary;
  }
}

std::vector<Diphone> diphonesOf(const std::vector<Segment>& segments) {
  std::vector<Diphone> pairs;
  for (size_t k = 0; k + 1 < segments.size(); ++k) pairs.emplace_back(segments[k].phone, segments[k + 1].phone);
  return pairs;
}

}  // namespace refspeaker
