#include "support/test_host.h"

#include <algorithm>

namespace tts_test {

int32_t RecordingHost::callback(intptr_t user, const int16_t* samples, int32_t count) {
  auto* host = reinterpret_cast<RecordingHost*>(user);
  host->events.push_back(count);
  if (count > 0) {
    host->samples.insert(host->samples.end(), samples, samples + count / 2);
    ++host->speechDeliveries;
    if (host->refuseAfter >= 0 && host->speechDeliveries > host->refuseAfter) return -1;
  }
  return 0;
}

int32_t RecordingHost::markers(int32_t which) const {
  return static_cast<int32_t>(std::count(events.begin(), events.end(), which));
}

int32_t speakChunk(TTSFile* handle, const std::u16string& text, int32_t mode, RecordingHost& host,
                   int32_t* calls, int32_t maxCalls) {
  int32_t n = 1;
  int32_t r = TTSFileGetWave_I(handle, text.c_str(), mode, host.fn(), host.user());
  while (r >= 0 && n < maxCalls) {
    r = TTSFileGetWave_I(handle, nullptr, mode, host.fn(), host.user());
    ++n;
  }
  if (calls) *calls = n;
  return r;
}

}  // namespace tts_test
