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

std::u16string utf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    int extra;
    if (c < 0x80) { cp = c; extra = 0; }
    else if ((c >> 5) == 6) { cp = c & 0x1F; extra = 1; }
    else if ((c >> 4) == 14) { cp = c & 0x0F; extra = 2; }
    else { cp = c & 0x07; extra = 3; }
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string utf8(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) out.push_back(static_cast<char>(cp));
    else if (cp < 0x800) { out.push_back(static_cast<char>(0xC0 | (cp >> 6))); out.push_back(static_cast<char>(0x80 | (cp & 0x3F))); }
    else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace tts_test
