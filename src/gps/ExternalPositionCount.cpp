#include "gps/ExternalPositionCount.h"

#include "gps/TrackSentences.h"

namespace gradlog {

bool IsExternalPosition(const RecordedSentence& sentence) {
  return CarriesTrackTag(sentence.text, TrackSource::External);
}

bool IsExternalCandidate(const RecordedSentence& sentence, bool fixMarked) {
  return IsExternalPosition(sentence) && (!fixMarked || sentence.status == FIX_STATUS);
}

ExternalPositionCount CountExternalPositions(const BlockReadAt& readAt, bool fixMarked,
                                             std::size_t blockRecords) {
  ExternalPositionCount count;
  ForEachRecordedSentence(
      readAt,
      [&count, fixMarked](const RecordedSentence& sentence) {
        if (!IsExternalPosition(sentence))
          return;
        ++count.total;
        if (IsExternalCandidate(sentence, fixMarked))
          ++count.candidates;
      },
      blockRecords);
  return count;
}

}  // namespace gradlog
