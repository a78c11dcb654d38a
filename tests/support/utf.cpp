#include "support/test_host.h"

#include "utf_convert.h"

namespace tts_test {

std::u16string utf16(const std::string& s) { return voxa_utf::utf8ToUtf16(s); }

std::string utf8(const std::u16string& s) { return voxa_utf::utf16ToUtf8(s); }

}  // namespace tts_test
