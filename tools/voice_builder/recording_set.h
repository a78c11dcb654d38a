// A recording set: utterances with time-aligned phone labels, and the list of
// diphones the front end can produce (see scripts/build-voices).
#pragma once
#include <string>
#include <vector>

namespace voxa::voicebuild {

struct PhoneLabel {
  int start = 0;       // first sample
  int end = 0;         // one past the last sample
  std::string phone;   // phone-set name, "##" for silence
};

struct Utterance {
  std::string id;
  std::vector<double> samples;      // 16-bit PCM values as read
  int rate = 0;                     // Hz
  std::vector<PhoneLabel> labels;   // contiguous, covering the samples
};

struct RecordingSet {
  std::vector<Utterance> utterances;
  std::vector<std::string> targets;  // "a-b"
};

// Reads manifest.txt, every <id>.wav and <id>.lab, and targets.txt (optional).
// Throws std::runtime_error naming the file for unreadable or inconsistent input.
RecordingSet readRecordingSet(const std::string& folder);

// The first channel of a sound file as 16-bit PCM values (x 32768 of the
// normalised samples), and its rate in *rate. Empty, with *rate 0, when the
// file cannot be read.
std::vector<double> readFirstChannel(const std::string& path, int* rate);

// Parses one label file's text; throws std::runtime_error on a malformed line.
std::vector<PhoneLabel> parseLabels(const std::string& text, const std::string& where);

}  // namespace voxa::voicebuild
