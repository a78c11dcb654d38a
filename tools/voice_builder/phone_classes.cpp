#include "voice_builder/phone_classes.h"

#include <stdexcept>

#include "prosody/phonesets.h"

namespace voxa::voicebuild {

PhoneClasses phoneClassesFor(const std::string& language) {
  const tts::PhoneSet* set = language == "es"   ? &tts::kPhoneSetEs
                             : language == "pl" ? &tts::kPhoneSetPl
                             : language == "tr" ? &tts::kPhoneSetTr
                                                : nullptr;
  if (!set) throw std::invalid_argument("unknown language '" + language + "'");
  PhoneClasses c;
  c.known = [set](const std::string& name) {
    const int32_t id = tts::phoneIndex(set, name.c_str());
    return id != 0 || name == "##";
  };
  c.sonorant = [set](const std::string& name) {
    const int32_t id = tts::phoneIndex(set, name.c_str());
    return id != 0 && tts::phoneIsSonorant(set, id) != 0;
  };
  return c;
}

}  // namespace voxa::voicebuild
