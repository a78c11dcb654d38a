// Writer of version-6 voice database blocks, for tests and the voice builder.
// It lays out the header, the sorted unit-name table, the unit-offset table,
// the codec header and the unit records exactly as the engine reads them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace voxa::voicedb {

struct Period {
  uint8_t length = 160;          // samples at the voice rate
  uint8_t gainCode = 0;          // 5-bit index into the engine's gain table
  std::vector<uint32_t> codes;   // K spectral codes, code i has widths[i] bits
};

struct Unit {
  std::string name;              // "a-b" with phone-set names
  bool absent = false;           // written with a negative offset
  uint8_t firstPhonePeriods = 0; // M: periods that belong to the first phone
  std::vector<Period> periods;   // N periods
  // Excitation block (written only when `frames` is not empty): F frames of
  // `frameBytes` bytes each, narrowband Speex frames of one sub-mode.
  int8_t frameBytes = 0;
  std::vector<std::vector<uint8_t>> frames;
};

struct CodecHeader {
  int32_t order = 0;                            // K spectral parameters per period
  std::vector<int32_t> widths;                  // K code widths in bits
  std::vector<std::vector<int32_t>> codebooks;  // K tables, entry = LSF_Q10 << 4; padded to 2^W with zeros
  int16_t deemphasis = 0;                       // Q8
  int16_t levelFloor = 0;
  int16_t pulseFilter = 0;
  int16_t voicedNoResidual = 0;
};

struct VoiceHeader {
  int32_t formatVersion = 6;
  int32_t voiceRate = 16000;  // Hz
  int32_t f0Mean = 100;       // Hz
  int32_t f0StdDev = 14;      // Hz
  int32_t nameSize = 16;      // bytes per name slot (names are NUL-terminated inside)
};

// Builds the block. Units are sorted by name (signed byte order) first.
// Throws std::invalid_argument for inconsistent input (a name that does not
// fit its slot, wrong code counts, codes wider than their width, ...).
std::vector<uint8_t> writeVoiceDatabase(const VoiceHeader& header, const CodecHeader& codec,
                                        std::vector<Unit> units);

// Header fields of a written block: the F0 mean and spread (Hz) at bytes 8
// and 12. Reading gives false for a block shorter than the header; writing
// throws std::invalid_argument for one.
bool readF0Statistics(const std::vector<uint8_t>& block, int32_t* f0Mean, int32_t* f0StdDev);
void writeF0Statistics(std::vector<uint8_t>& block, int32_t f0Mean, int32_t f0StdDev);

}  // namespace voxa::voicedb
