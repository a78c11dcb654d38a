// Writer of version-6 voice database blocks (see voicedb_writer.h).
#include "voicedb/voicedb_writer.h"

#include <algorithm>
#include <stdexcept>

namespace voxa::voicedb {

namespace {

constexpr int32_t kMaxOrder = 18;      // largest K the engine binds (even values only)
constexpr int32_t kMaxWidth = 16;      // bits of one spectral code
constexpr int32_t kGainBits = 5;
constexpr size_t kMaxPeriods = 255;    // N is one byte
constexpr size_t kMaxFrames = 127;     // F is a signed byte

void fail(const std::string& what) { throw std::invalid_argument("voice database: " + what); }

void put32(std::vector<uint8_t>& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

void put16(std::vector<uint8_t>& out, int16_t v) {
  const uint16_t u = static_cast<uint16_t>(v);
  out.push_back(static_cast<uint8_t>(u));
  out.push_back(static_cast<uint8_t>(u >> 8));
}

void set32(std::vector<uint8_t>& out, size_t at, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int k = 0; k < 4; ++k) out[at + k] = static_cast<uint8_t>(u >> (8 * k));
}

// Appends bits most significant first, with no alignment between fields.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void put(uint32_t value, int32_t bits) {
    for (int32_t b = bits - 1; b >= 0; --b) {
      if (used_ == 0) out_.push_back(0);
      if ((value >> b) & 1u) out_.back() = static_cast<uint8_t>(out_.back() | (0x80u >> used_));
      used_ = (used_ + 1) & 7;
    }
  }

 private:
  std::vector<uint8_t>& out_;
  int32_t used_ = 0;  // bits already written into the last byte (0: start a new byte)
};

// Names ordered as the engine's bisection compares them: bytes as signed values.
bool signedLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<signed char>(a[i]);
    const auto y = static_cast<signed char>(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

void checkCodec(const CodecHeader& codec, int32_t& widest) {
  if (codec.order < 1 || codec.order > kMaxOrder || codec.order % 2 != 0)
    fail("the spectral order must be even and within 2..18");
  if (codec.widths.size() != static_cast<size_t>(codec.order)) fail("one code width per spectral parameter");
  if (codec.codebooks.size() != static_cast<size_t>(codec.order)) fail("one codebook per spectral parameter");
  widest = 0;
  for (int32_t w : codec.widths) {
    if (w < 0 || w > kMaxWidth) fail("code widths must lie within 0..16");
    widest = std::max(widest, w);
  }
  for (const auto& book : codec.codebooks)
    if (book.size() > (size_t{1} << widest)) fail("a codebook holds more than 2^W entries");
}

void writeUnit(std::vector<uint8_t>& out, const Unit& unit, const CodecHeader& codec) {
  if (unit.periods.size() > kMaxPeriods) fail("unit " + unit.name + " has more than 255 periods");
  if (unit.firstPhonePeriods > unit.periods.size()) fail("unit " + unit.name + " has M > N");
  out.push_back(static_cast<uint8_t>(unit.periods.size()));
  out.push_back(unit.firstPhonePeriods);
  for (const Period& p : unit.periods) out.push_back(p.length);
  BitWriter bits(out);
  for (const Period& p : unit.periods) {
    if (p.gainCode >= (1u << kGainBits)) fail("unit " + unit.name + ": gain code above 31");
    if (p.codes.size() != static_cast<size_t>(codec.order)) fail("unit " + unit.name + ": need K spectral codes");
    bits.put(p.gainCode, kGainBits);
    for (int32_t i = 0; i < codec.order; ++i) {
      const int32_t width = codec.widths[static_cast<size_t>(i)];
      if (p.codes[static_cast<size_t>(i)] >= (uint64_t{1} << width))
        fail("unit " + unit.name + ": a code does not fit its width");
      bits.put(p.codes[static_cast<size_t>(i)], width);
    }
  }
  if (unit.frames.empty()) return;
  if (unit.frames.size() > kMaxFrames) fail("unit " + unit.name + " has more than 127 excitation frames");
  if (unit.frameBytes <= 0) fail("unit " + unit.name + ": excitation frames need a positive frame size");
  out.push_back(static_cast<uint8_t>(unit.frames.size()));
  out.push_back(static_cast<uint8_t>(unit.frameBytes));
  for (const auto& frame : unit.frames) {
    if (frame.size() != static_cast<size_t>(unit.frameBytes)) fail("unit " + unit.name + ": frame of wrong size");
    out.insert(out.end(), frame.begin(), frame.end());
  }
}

}  // namespace

std::vector<uint8_t> writeVoiceDatabase(const VoiceHeader& header, const CodecHeader& codec,
                                        std::vector<Unit> units) {
  int32_t widest = 0;
  checkCodec(codec, widest);
  if (header.nameSize < 1) fail("name slots need at least one byte");
  std::stable_sort(units.begin(), units.end(),
                   [](const Unit& a, const Unit& b) { return signedLess(a.name, b.name); });
  for (size_t i = 0; i < units.size(); ++i) {
    const Unit& u = units[i];
    if (u.name.size() + 1 > static_cast<size_t>(header.nameSize)) fail("unit name " + u.name + " does not fit its slot");
    if (u.name.find('\0') != std::string::npos) fail("unit names cannot hold NUL");
    if (i > 0 && u.name == units[i - 1].name) fail("unit name " + u.name + " appears twice");
  }
  if (units.size() > static_cast<size_t>(INT32_MAX)) fail("too many units");

  std::vector<uint8_t> out;
  put32(out, header.formatVersion);
  put32(out, header.voiceRate);
  put32(out, header.f0Mean);
  put32(out, header.f0StdDev);
  put32(out, static_cast<int32_t>(units.size()));
  put32(out, header.nameSize);
  for (const Unit& u : units) {
    const size_t slot = out.size();
    out.resize(slot + static_cast<size_t>(header.nameSize), 0);
    std::copy(u.name.begin(), u.name.end(), out.begin() + static_cast<std::ptrdiff_t>(slot));
  }
  const size_t offsetTable = out.size();
  out.resize(offsetTable + 4 * units.size(), 0);

  put32(out, codec.order);
  for (int32_t w : codec.widths) put32(out, w);
  const size_t entries = size_t{1} << widest;
  for (const auto& book : codec.codebooks)
    for (size_t e = 0; e < entries; ++e) put32(out, e < book.size() ? book[e] : 0);
  put16(out, codec.deemphasis);
  put16(out, codec.levelFloor);
  put16(out, codec.pulseFilter);
  put16(out, codec.voicedNoResidual);

  const size_t records = out.size();
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i].absent) {
      set32(out, offsetTable + 4 * i, -1);
      continue;
    }
    const size_t offset = out.size() - records;
    if (offset > static_cast<size_t>(INT32_MAX)) fail("unit data beyond 2 GiB");
    set32(out, offsetTable + 4 * i, static_cast<int32_t>(offset));
    writeUnit(out, units[i], codec);
  }
  return out;
}

namespace {
constexpr size_t kF0MeanAt = 8;     // bytes into the header
constexpr size_t kF0StdDevAt = 12;
constexpr size_t kHeaderBytes = 24;

int32_t get32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
                              static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}
}  // namespace

bool readF0Statistics(const std::vector<uint8_t>& block, int32_t* f0Mean, int32_t* f0StdDev) {
  if (block.size() < kHeaderBytes) return false;
  *f0Mean = get32(block, kF0MeanAt);
  *f0StdDev = get32(block, kF0StdDevAt);
  return true;
}

void writeF0Statistics(std::vector<uint8_t>& block, int32_t f0Mean, int32_t f0StdDev) {
  if (block.size() < kHeaderBytes) fail("the block is shorter than a voice header");
  set32(block, kF0MeanAt, f0Mean);
  set32(block, kF0StdDevAt, f0StdDev);
}

}  // namespace voxa::voicedb
