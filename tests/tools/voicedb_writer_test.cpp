// The voice database writer: exact layout, refusal of inconsistent input, and
// round trips through the engine's size-aware binding, which must accept every
// block the writer makes and refuse truncated or out-of-bounds blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "synth/voice.h"
#include "voicedb/voicedb_writer.h"

namespace {

using voxa::voicedb::CodecHeader;
using voxa::voicedb::Period;
using voxa::voicedb::Unit;
using voxa::voicedb::VoiceHeader;
using voxa::voicedb::writeVoiceDatabase;

struct VoiceDeleter {
  void operator()(PhraseVoice* v) const { tts::voiceRelease(v); }
};
using VoicePtr = std::unique_ptr<PhraseVoice, VoiceDeleter>;

int32_t le32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
int16_t le16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

void put32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k));
}

// Reads bits most significant first, independent of the writer.
struct BitCursor {
  const uint8_t* data;
  size_t bit = 0;
  uint32_t take(int32_t n) {
    uint32_t v = 0;
    for (int32_t i = 0; i < n; ++i, ++bit) v = (v << 1) | ((data[bit / 8] >> (7 - bit % 8)) & 1u);
    return v;
  }
  size_t bytesUsed() const { return (bit + 7) / 8; }
};

// The bound record decoded back into writer terms.
struct Decoded {
  std::vector<std::string> names;
  std::vector<int32_t> offsets;
  CodecHeader codec;
  const uint8_t* records = nullptr;
};

Decoded decode(const PhraseVoice* v) {
  Decoded d;
  for (int32_t i = 0; i < v->unitCount; ++i) {
    d.names.emplace_back(v->unitNames + static_cast<size_t>(i) * v->nameSize);
    d.offsets.push_back(le32(v->unitOffsets + 4 * i));
  }
  const uint8_t* p = v->unitData;
  d.codec.order = le32(p);
  p += 4;
  int32_t widest = 0;
  for (int32_t i = 0; i < d.codec.order; ++i, p += 4) {
    d.codec.widths.push_back(le32(p));
    widest = std::max(widest, d.codec.widths.back());
  }
  for (int32_t i = 0; i < d.codec.order; ++i) {
    d.codec.codebooks.emplace_back();
    for (int32_t e = 0; e < (1 << widest); ++e, p += 4) d.codec.codebooks.back().push_back(le32(p));
  }
  d.codec.deemphasis = le16(p);
  d.codec.levelFloor = le16(p + 2);
  d.codec.pulseFilter = le16(p + 4);
  d.codec.voicedNoResidual = le16(p + 6);
  d.records = p + 8;
  return d;
}

Unit decodeUnit(const uint8_t* record, const CodecHeader& codec, bool withFrames) {
  Unit u;
  const uint8_t n = record[0];
  u.firstPhonePeriods = record[1];
  u.periods.resize(n);
  for (uint8_t i = 0; i < n; ++i) u.periods[i].length = record[2 + i];
  BitCursor bits{record + 2 + n};
  for (Period& p : u.periods) {
    p.gainCode = static_cast<uint8_t>(bits.take(5));
    for (int32_t w : codec.widths) p.codes.push_back(bits.take(w));
  }
  if (withFrames) {
    const uint8_t* f = record + 2 + n + bits.bytesUsed();
    u.frameBytes = static_cast<int8_t>(f[1]);
    for (int8_t i = 0; i < static_cast<int8_t>(f[0]); ++i)
      u.frames.emplace_back(f + 2 + i * u.frameBytes, f + 2 + (i + 1) * u.frameBytes);
  }
  return u;
}

// Smallest block prefix that still holds every present unit's N, M and lengths.
size_t soundPrefix(const std::vector<uint8_t>& block, const Decoded& d) {
  size_t need = static_cast<size_t>(d.records - block.data());
  for (int32_t off : d.offsets)
    if (off >= 0) need = std::max(need, static_cast<size_t>(d.records - block.data()) + off + 2 + d.records[off]);
  return need;
}

CodecHeader smallCodec() {
  CodecHeader c;
  c.order = 2;
  c.widths = {3, 2};
  c.codebooks = {{10, 20, 30, 40, 50, 60, 70, 80}, {-1, -2}};
  c.deemphasis = -7;
  c.levelFloor = 1200;
  c.pulseFilter = 1;
  c.voicedNoResidual = -1;
  return c;
}

TEST(VoiceDbWriter, ExactLayoutOfASmallVoice) {
  VoiceHeader h;
  h.voiceRate = 11025;
  h.f0Mean = 98;
  h.f0StdDev = 12;
  h.nameSize = 8;
  Unit u;
  u.name = "a-b";
  u.firstPhonePeriods = 1;
  u.periods = {Period{100, 3, {5, 1}}, Period{120, 16, {0, 3}}};
  u.frameBytes = 2;
  u.frames = {{0xAB, 0xCD}};
  Unit gone;
  gone.name = "##-##";
  gone.absent = true;
  const std::vector<uint8_t> b = writeVoiceDatabase(h, smallCodec(), {u, gone});
  // Header.
  EXPECT_EQ(le32(&b[0]), 6);
  EXPECT_EQ(le32(&b[4]), 11025);
  EXPECT_EQ(le32(&b[8]), 98);
  EXPECT_EQ(le32(&b[12]), 12);
  EXPECT_EQ(le32(&b[16]), 2);
  EXPECT_EQ(le32(&b[20]), 8);
  // Names sorted ("##-##" < "a-b"), NUL-padded slots.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[24])), "##-##");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[32])), "a-b");
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 35, b.begin() + 40), std::vector<uint8_t>(5, 0));
  // Offsets: absent, then 0 (from the first unit record).
  EXPECT_EQ(le32(&b[40]), -1);
  EXPECT_EQ(le32(&b[44]), 0);
  // Codec header: K, widths, 2 x 2^3 entries (the second table zero-padded), four int16.
  size_t at = 48;
  EXPECT_EQ(le32(&b[at]), 2);
  EXPECT_EQ(le32(&b[at + 4]), 3);
  EXPECT_EQ(le32(&b[at + 8]), 2);
  at += 12;
  EXPECT_EQ(le32(&b[at + 4 * 7]), 80);
  EXPECT_EQ(le32(&b[at + 4 * 8]), -1);
  EXPECT_EQ(le32(&b[at + 4 * 9]), -2);
  EXPECT_EQ(le32(&b[at + 4 * 10]), 0);
  at += 4 * 16;
  EXPECT_EQ(le16(&b[at]), -7);
  EXPECT_EQ(le16(&b[at + 2]), 1200);
  EXPECT_EQ(le16(&b[at + 4]), 1);
  EXPECT_EQ(le16(&b[at + 6]), -1);
  at += 8;
  // Unit record: N, M, lengths, then 00011 101 01 | 10000 000 11 packed MSB first,
  // then F, L and the frame at the next byte boundary.
  const std::vector<uint8_t> record = {2, 1, 100, 120, 0x1D, 0x60, 0x30, 1, 2, 0xAB, 0xCD};
  ASSERT_EQ(b.size(), at + record.size());
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(at), b.end()), record);
}

TEST(VoiceDbWriter, NamesSortBySignedBytes) {
  VoiceHeader h;
  Unit hi;
  hi.name = "\xC3\xA9-a";  // bytes above 0x7F are negative and sort first
  Unit lo;
  lo.name = "a-a";
  Unit mid;
  mid.name = "a-";
  for (Unit* u : {&hi, &lo, &mid}) u->periods = {Period{80, 0, {0, 0}}};
  const std::vector<uint8_t> b = writeVoiceDatabase(h, smallCodec(), {lo, mid, hi});
  VoicePtr v(tts::voiceBind(b.data(), b.size(), 0));
  ASSERT_NE(v, nullptr);
  const Decoded d = decode(v.get());
  EXPECT_EQ(d.names, (std::vector<std::string>{hi.name, "a-", "a-a"}));
}

TEST(VoiceDbWriter, RefusesInconsistentInput) {
  const VoiceHeader h;
  Unit ok;
  ok.name = "a-b";
  ok.periods = {Period{80, 1, {1, 1}}};
  auto refused = [&](const CodecHeader& c, std::vector<Unit> units, const VoiceHeader& header) {
    EXPECT_THROW(writeVoiceDatabase(header, c, std::move(units)), std::invalid_argument);
  };
  EXPECT_NO_THROW(writeVoiceDatabase(h, smallCodec(), {ok}));

  CodecHeader c = smallCodec();
  c.order = 3;
  c.widths = {1, 1, 1};
  c.codebooks = {{}, {}, {}};
  refused(c, {}, h);  // odd order
  c = smallCodec();
  c.order = 0;
  c.widths.clear();
  c.codebooks.clear();
  refused(c, {}, h);
  c = smallCodec();
  c.widths = {3};
  refused(c, {ok}, h);
  c = smallCodec();
  c.widths = {17, 2};
  refused(c, {}, h);
  c = smallCodec();
  c.codebooks[1] = std::vector<int32_t>(9, 0);  // more than 2^W entries
  refused(c, {ok}, h);

  Unit u = ok;
  u.periods[0].codes = {8, 0};  // 8 needs 4 bits, width is 3
  refused(smallCodec(), {u}, h);
  u = ok;
  u.periods[0].codes = {1};
  refused(smallCodec(), {u}, h);
  u = ok;
  u.periods[0].gainCode = 32;
  refused(smallCodec(), {u}, h);
  u = ok;
  u.firstPhonePeriods = 2;
  refused(smallCodec(), {u}, h);
  u = ok;
  u.periods.assign(256, ok.periods[0]);
  refused(smallCodec(), {u}, h);
  u = ok;
  u.frames = {{1, 2}};
  u.frameBytes = 0;
  refused(smallCodec(), {u}, h);
  u.frameBytes = 3;
  refused(smallCodec(), {u}, h);
  u = ok;
  u.name = std::string(16, 'x');  // no room for the NUL in a 16-byte slot
  refused(smallCodec(), {u}, h);
  refused(smallCodec(), {ok, ok}, h);  // duplicate name
  VoiceHeader tiny;
  tiny.nameSize = 0;
  refused(smallCodec(), {}, tiny);
}

TEST(VoiceDbBinding, RefusesTruncatedBlocks) {
  VoiceHeader h;
  Unit a;
  a.name = "a-b";
  a.periods = {Period{80, 1, {1, 1}}, Period{90, 2, {2, 2}}, Period{70, 3, {3, 3}}};
  a.frameBytes = 3;
  a.frames = {{1, 2, 3}, {4, 5, 6}};
  Unit b = a;
  b.name = "b-a";
  const std::vector<uint8_t> block = writeVoiceDatabase(h, smallCodec(), {a, b});
  VoicePtr whole(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(whole, nullptr);
  const size_t sound = soundPrefix(block, decode(whole.get()));
  ASSERT_LT(sound, block.size());
  for (size_t len = 1; len <= block.size(); ++len) {
    VoicePtr v(tts::voiceBind(block.data(), len, 0));
    EXPECT_EQ(v != nullptr, len >= sound) << "prefix of " << len << " bytes";
    if (v) {
      EXPECT_EQ(v->dataEnd, block.data() + len);
    }
  }
}

TEST(VoiceDbBinding, RefusesOffsetsAndTablesOutsideTheBlock) {
  VoiceHeader h;
  h.nameSize = 8;
  Unit a;
  a.name = "a-b";
  a.periods = {Period{80, 1, {1, 1}}};
  const std::vector<uint8_t> good = writeVoiceDatabase(h, smallCodec(), {a});
  const size_t offsetAt = 24 + 8;
  const size_t codecAt = offsetAt + 4;
  const size_t recordsAt = codecAt + 4 + 8 + 4 * 16 + 8;
  const int32_t regionSize = static_cast<int32_t>(good.size() - recordsAt);
  auto binds = [](std::vector<uint8_t> block) {
    VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
    return v != nullptr;
  };
  auto patched = [&](size_t at, int32_t value) {
    std::vector<uint8_t> b = good;
    put32(b, at, value);
    return b;
  };
  EXPECT_TRUE(binds(good));
  EXPECT_FALSE(binds(patched(offsetAt, regionSize)));       // record starts at the end
  EXPECT_FALSE(binds(patched(offsetAt, regionSize - 1)));   // only N fits
  EXPECT_FALSE(binds(patched(offsetAt, INT32_MAX)));
  EXPECT_TRUE(binds(patched(offsetAt, -1)));                // absent
  EXPECT_TRUE(binds(patched(offsetAt, INT32_MIN)));         // absent
  {
    std::vector<uint8_t> b = good;
    b[recordsAt] = 200;  // N lengths no longer fit
    EXPECT_FALSE(binds(b));
  }
  EXPECT_FALSE(binds(patched(16, -1)));          // unitCount
  EXPECT_FALSE(binds(patched(20, -8)));          // nameSize
  EXPECT_FALSE(binds(patched(16, 1 << 20)));     // name table beyond the block
  {
    std::vector<uint8_t> b = patched(16, INT32_MAX);
    put32(b, 20, INT32_MAX);  // N * S overflows 32 bits
    EXPECT_FALSE(binds(b));
  }
  {
    std::vector<uint8_t> b = good;
    std::memset(&b[24], 'x', 8);  // name slot without its NUL
    EXPECT_FALSE(binds(b));
  }
  EXPECT_FALSE(binds(patched(codecAt, 3)));      // K odd
  EXPECT_FALSE(binds(patched(codecAt, 0)));
  EXPECT_FALSE(binds(patched(codecAt, -2)));
  EXPECT_FALSE(binds(patched(codecAt, 20)));
  EXPECT_FALSE(binds(patched(codecAt + 4, 17)));  // width
  EXPECT_FALSE(binds(patched(codecAt + 8, -1)));
  EXPECT_FALSE(binds(patched(codecAt + 8, 16)));  // codebooks of 2^16 entries do not fit
  EXPECT_FALSE(binds(std::vector<uint8_t>(good.begin(), good.begin() + 23)));
  // A header-only block with no units still needs its codec header.
  VoiceHeader empty;
  const std::vector<uint8_t> none = writeVoiceDatabase(empty, smallCodec(), {});
  EXPECT_TRUE(binds(none));
  EXPECT_FALSE(binds(std::vector<uint8_t>(none.begin(), none.end() - 1)));
}

// Random voices: every block the writer makes binds, and decodes back to its input.
TEST(VoiceDbBinding, EveryWrittenVoiceBindsAndRoundTrips) {
  std::mt19937 rng(20261208);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  const char* const phones[] = {"##", "a", "e", "i", "o", "u", "p", "t", "k", "tS", "n~", "r[", "dz'", "e~"};
  for (int iteration = 0; iteration < 150; ++iteration) {
    SCOPED_TRACE(iteration);
    CodecHeader c;
    c.order = 2 * pick(1, 9);
    int32_t widest = 0;
    for (int32_t i = 0; i < c.order; ++i) {
      c.widths.push_back(pick(0, 7));
      widest = std::max(widest, c.widths.back());
    }
    for (int32_t i = 0; i < c.order; ++i) {
      c.codebooks.emplace_back();
      const int32_t entries = pick(0, 1 << widest);
      for (int32_t e = 0; e < entries; ++e) c.codebooks.back().push_back(pick(-50000, 50000));
    }
    c.deemphasis = static_cast<int16_t>(pick(-32768, 32767));
    c.voicedNoResidual = static_cast<int16_t>(pick(0, 1));
    VoiceHeader h;
    h.voiceRate = pick(8000, 48000);
    h.nameSize = pick(8, 20);
    std::vector<Unit> units;
    for (int32_t k = pick(0, 12); k > 0; --k) {
      Unit u;
      u.name = std::string(phones[pick(0, 13)]) + "-" + phones[pick(0, 13)];
      if (std::any_of(units.begin(), units.end(), [&](const Unit& x) { return x.name == u.name; })) continue;
      u.absent = pick(0, 5) == 0;
      u.periods.resize(static_cast<size_t>(pick(0, 40)));
      u.firstPhonePeriods = static_cast<uint8_t>(pick(0, static_cast<int32_t>(u.periods.size())));
      for (Period& p : u.periods) {
        p.length = static_cast<uint8_t>(pick(1, 255));
        p.gainCode = static_cast<uint8_t>(pick(0, 31));
        for (int32_t w : c.widths) p.codes.push_back(static_cast<uint32_t>(pick(0, (1 << w) - 1)));
      }
      if (pick(0, 1)) {
        u.frameBytes = static_cast<int8_t>(pick(1, 38));
        for (int32_t f = pick(1, 6); f > 0; --f) {
          u.frames.emplace_back();
          for (int32_t i = 0; i < u.frameBytes; ++i) u.frames.back().push_back(static_cast<uint8_t>(pick(0, 255)));
        }
      }
      units.push_back(u);
    }
    const std::vector<uint8_t> block = writeVoiceDatabase(h, c, units);
    VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(v->unitCount, static_cast<int32_t>(units.size()));
    const Decoded d = decode(v.get());
    EXPECT_EQ(d.codec.order, c.order);
    EXPECT_EQ(d.codec.widths, c.widths);
    EXPECT_EQ(d.codec.deemphasis, c.deemphasis);
    EXPECT_EQ(d.codec.voicedNoResidual, c.voicedNoResidual);
    for (int32_t i = 0; i < c.order; ++i)
      for (size_t e = 0; e < d.codec.codebooks[i].size(); ++e)
        EXPECT_EQ(d.codec.codebooks[i][e], e < c.codebooks[i].size() ? c.codebooks[i][e] : 0);
    std::vector<std::string> sorted = d.names;
    std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](char x, char y) { return static_cast<signed char>(x) < static_cast<signed char>(y); });
    });
    EXPECT_EQ(d.names, sorted);
    for (const Unit& u : units) {
      const auto at = std::find(d.names.begin(), d.names.end(), u.name);
      ASSERT_NE(at, d.names.end());
      const int32_t offset = d.offsets[static_cast<size_t>(at - d.names.begin())];
      if (u.absent) {
        EXPECT_LT(offset, 0);
        continue;
      }
      ASSERT_GE(offset, 0);
      const Unit back = decodeUnit(d.records + offset, c, !u.frames.empty());
      EXPECT_EQ(back.firstPhonePeriods, u.firstPhonePeriods);
      ASSERT_EQ(back.periods.size(), u.periods.size());
      for (size_t p = 0; p < u.periods.size(); ++p) {
        EXPECT_EQ(back.periods[p].length, u.periods[p].length);
        EXPECT_EQ(back.periods[p].gainCode, u.periods[p].gainCode);
        EXPECT_EQ(back.periods[p].codes, u.periods[p].codes);
      }
      EXPECT_EQ(back.frameBytes, u.frames.empty() ? 0 : u.frameBytes);
      EXPECT_EQ(back.frames, u.frames);
    }
    // Trusted binding reads the same tables.
    VoicePtr trusted(tts::voiceBind(block.data(), 0, 0));
    ASSERT_NE(trusted, nullptr);
    EXPECT_EQ(trusted->unitData, v->unitData);
  }
}

}  // namespace
