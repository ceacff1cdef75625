#pragma once

#include <cstddef>
#include <cstdint>

#include "gps/BlockReads.h"
#include "gps/RecordedSentences.h"

namespace gradlog {

// What the thinning of an external data file plans with: the positions the file holds, and
// the candidates among them that may be shown.
struct ExternalPositionCount {
  std::int64_t total = 0;
  std::int64_t candidates = 0;
};

// Every sentence that carries a position tag is a position. A file that marks its fixes
// offers only those as candidates; in one that does not, every position is a candidate.
bool IsExternalPosition(const RecordedSentence& sentence);
bool IsExternalCandidate(const RecordedSentence& sentence, bool fixMarked);

ExternalPositionCount CountExternalPositions(const BlockReadAt& readAt, bool fixMarked,
                                             std::size_t blockRecords);

}  // namespace gradlog
