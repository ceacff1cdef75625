#pragma once

#include <ostream>

#include "gps/SentenceCheck.h"

namespace gradlog {

inline const char* SentenceCaseName(SentenceCase recordCase) {
  switch (recordCase) {
    case SentenceCase::NotRecorded:
      return "NotRecorded";
    case SentenceCase::Bad:
      return "Bad";
    case SentenceCase::Fix:
      return "Fix";
    case SentenceCase::TooSoon:
      return "TooSoon";
    case SentenceCase::GsaAfterFix:
      return "GsaAfterFix";
    case SentenceCase::LeicaWithoutTag:
      return "LeicaWithoutTag";
  }
  return "?";
}

// For gtest's messages.
inline void PrintTo(SentenceCase recordCase, std::ostream* out) {
  *out << SentenceCaseName(recordCase);
}

}  // namespace gradlog
