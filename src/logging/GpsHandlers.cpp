#include "logging/GpsHandlers.h"

#include <any>
#include <cmath>
#include <optional>
#include <string>

#include "common/BoxText.h"
#include "common/UserMessages.h"
#include "datafile/RecordWriters.h"
#include "display/GpsBoxes.h"
#include "gps/FixDecoder.h"
#include "gps/FixMotion.h"
#include "gps/GpsReader.h"
#include "gps/LocalPlane.h"
#include "gps/SentenceCheck.h"
#include "gps/TotalStationFramer.h"
#include "logging/RunMap.h"
#include "logging/RunPositions.h"
#include "logging/WriteFailures.h"

namespace gradlog {

using namespace platform;

namespace {

// UM_GPS_FIX and UM_GPS_GSA are sent by the sentence handler itself and carry a pointer to
// the sentence it is handling, valid while they are handled.
const GpsSentence* SentOnSentence(const Message& message) {
  const GpsSentence* const* sentence = std::any_cast<const GpsSentence*>(&message.payload);
  return sentence ? *sentence : nullptr;
}

// True when the sentence was written as a counted record.
bool RecordSentence(LoggingRun& run, const GpsSentence& sentence, SentenceCase recordCase) {
  // A sentence that began before recording started is not written, and so not counted.
  if (recordCase == SentenceCase::NotRecorded || run.dataFile.recordingState != 1 ||
      !RecordsSentenceAt(run.dataFile, sentence.startTick)) {
    return false;
  }
  const SentenceMarkers markers = MarkersFor(recordCase);
  if (markers.counted)
    ++run.dataFile.gpsRecordCount;
  NoteWriteResult(
      run, WriteSentenceRecords(run.dataFile, sentence.text, sentence.startTick, markers.first,
                                markers.continuation, markers.end, markers.status));
  return markers.counted;
}

// Where a valid fix puts the operator on the run's plane. The run's first latitude fixes the
// east scale for the rest of the run.
std::optional<PlanePoint> FixPosition(GpsFix& fix, const DecodedFix& decoded,
                                      std::int32_t distanceUnits) {
  if (!decoded.valid)
    return std::nullopt;
  if (decoded.north && decoded.east)
    return PlanePoint{*decoded.north, *decoded.east};
  if (!decoded.latitude || !decoded.longitude)
    return std::nullopt;
  if (fix.haveOrigin == 0)
    fix.eastScale = EastScaleAt(*decoded.latitude);
  return ToLocalPlane(*decoded.latitude, *decoded.longitude, fix.eastScale, distanceUnits);
}

void KeepFixQuantities(GpsFix& fix, const DecodedFix& decoded) {
  fix.valid = decoded.valid ? 1 : 0;
  if (decoded.satellites)
    fix.satellites = *decoded.satellites;
  if (decoded.quality)
    fix.quality = *decoded.quality;
  if (decoded.dop)
    fix.dop = *decoded.dop;
}

}  // namespace

LRESULT OnGpsSentence(LoggingRun& run, const Message& message) {
  const GpsSentence* sentence = std::any_cast<GpsSentence>(&message.payload);
  // A sentence still on its way when the run stopped is dropped.
  if (!sentence || run.logging.loggingActive == 0)
    return 0;
  const SentenceVerdict verdict = ClassifySentence(
      sentence->text, sentence->startTick, run.gps.sentence, run.config.settings.gpsDataType,
      run.config.gpsDisplayIntervalMs, run.gps.fix);
  if (verdict.decodeFix)
    SendMessage(run.logging.windows.logging, UM_GPS_FIX, 0, 0, sentence);
  if (verdict.decodeGsa)
    SendMessage(run.logging.windows.logging, UM_GPS_GSA, 0, 0, sentence);
  if (RecordSentence(run, *sentence, verdict.recordCase))
    CheckRecordedPositions(run);
  return 0;
}

LRESULT OnGpsFix(LoggingRun& run, const Message& message) {
  const GpsSentence* sentence = SentOnSentence(message);
  const GpsSentenceSelection& selection = run.gps.sentence;
  if (!sentence || sentence->text.find(selection.tag.data()) == std::string::npos)
    return 0;
  const SurveySettings& settings = run.config.settings;
  const DecodedFix decoded =
      DecodeFix(sentence->text, selection, settings.gpsDataType, settings.distanceUnits);
  GpsFix& fix = run.gps.fix;
  KeepFixQuantities(fix, decoded);
  {
    WindowDC dc(run.logging.windows.logging);
    ShowFixTexts(dc, run.display, decoded.texts);
    BlinkFixLamps(
        dc, run.display, fix.blinkPhase,
        GpsWarningApplies(fix, settings.gpsWarning, settings.gpsDataType, settings.gpsWarnQuality,
                          settings.gpsWarnPdop, settings.gpsWarnSatellites));
  }
  // A fix without a usable position neither starts the run's plane nor moves the operator.
  if (const std::optional<PlanePoint> position =
          FixPosition(fix, decoded, settings.distanceUnits)) {
    const bool firstOfRun = fix.haveOrigin == 0;
    if (const std::optional<float> speed = AdvanceFix(fix, *position, decoded.timeOfDay))
      ShowRunSpeed(run, *speed);
    PlotRunPosition(run, *position, firstOfRun);
  }
  return 0;
}

LRESULT OnGpsGsa(LoggingRun& run, const Message& message) {
  const GpsSentence* sentence = SentOnSentence(message);
  if (!sentence)
    return 0;
  WindowDC dc(run.logging.windows.logging);
  ShowFixTexts(dc, run.display, {.pdop = GsaPdopText(sentence->text).value_or("")});
  return 0;
}

LRESULT OnTotalStationPosition(LoggingRun& run, const Message& message) {
  const TotalStationPosition* position = std::any_cast<TotalStationPosition>(&message.payload);
  if (!position || run.logging.loggingActive == 0)
    return 0;
  // The reader writes the records itself: its failures are noticed here.
  CheckDataFileFailures(run);
  TotalStationFix& station = run.gps.totalStation;
  GpsFix& fix = run.gps.fix;
  {
    WindowDC dc(run.logging.windows.logging);
    BlinkFixLamps(dc, run.display, station.blinkPhase, false);
    ShowFixTexts(dc, run.display,
                 {.coordinate1 = BoxText("E: %-10.2f", position->east),
                  .coordinate2 = BoxText("N: %-10.2f", position->north)});
  }
  const bool firstOfRun = fix.haveOrigin == 0;
  if (!firstOfRun) {
    const double seconds = static_cast<double>(position->tick - station.prevTick) * 0.001;
    // Two records within the same millisecond give no speed; the last one stays.
    if (seconds > 0.0) {
      fix.speed = static_cast<float>(
          std::hypot(position->north - station.prevNorth, position->east - station.prevEast) /
          seconds);
      ShowRunSpeed(run, fix.speed);
    }
  } else {
    fix.originNorth = position->north;
    fix.originEast = position->east;
    fix.haveOrigin = 1;
  }
  PlotRunPosition(run, {position->north, position->east}, firstOfRun);
  station.prevNorth = position->north;
  station.prevEast = position->east;
  station.prevTick = position->tick;
  fix.north = position->north;
  fix.east = position->east;
  CheckRecordedPositions(run);
  return 0;
}

}  // namespace gradlog
