// Phone classes of the three engine phone sets, for the voice tools.
#pragma once
#include <string>

#include "voice_builder/voice_builder.h"

namespace voxa::voicebuild {

// "es", "pl" or "tr"; throws std::invalid_argument for another language.
PhoneClasses phoneClassesFor(const std::string& language);

}  // namespace voxa::voicebuild
