#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gps/GpsMonitorFixture.h"
#include "gps/GpsMonitorReader.h"

namespace gradlog {
namespace {

using Strings = std::vector<std::string>;

// The clock stands still unless the test moves it, so a line sent after a move is read at the
// moved time: it tells whether the reader saw silence before it.
class GpsMonitorSilenceTest : public testing::GpsMonitorFixture {};

TEST_F(GpsMonitorSilenceTest, NoDataAfterMoreThanSevenSilentSecondsAndAgainAfterSevenMore) {
  Open();
  test.services.Advance(GPS_SILENCE_LIMIT_MS);
  ReceiverSends("$AT LIMIT\r\n");
  ASSERT_TRUE(PumpUntilLines(1));
  test.services.Advance(GPS_SILENCE_LIMIT_MS + 1);
  ASSERT_TRUE(PumpUntilLines(2));
  // The next stretch counts from the "NO DATA".
  test.services.Advance(GPS_SILENCE_LIMIT_MS + 1);
  ASSERT_TRUE(PumpUntilLines(3));
  ReceiverSends("$END\r\n");
  ASSERT_TRUE(PumpUntilLines(4));
  EXPECT_EQ(Lines(), (Strings{"$AT LIMIT", NO_DATA_TEXT, NO_DATA_TEXT, "$END"}));
  EXPECT_TRUE(Shows("$END"));
}

TEST_F(GpsMonitorSilenceTest, APauseIsNoSilence) {
  Open();
  Press('p');
  test.services.Advance(3 * GPS_SILENCE_LIMIT_MS);
  Press('g');
  ReceiverSends("$AFTER PAUSE\r\n");
  ASSERT_TRUE(PumpUntilLines(1));
  EXPECT_EQ(Lines(), Strings{"$AFTER PAUSE"});
}

TEST_F(GpsMonitorSilenceTest, ACableThatHangsUpIsReportedAsSilence) {
  Open();
  HangUpMemoryPortPair(*receiverEnd);
  test.services.Advance(GPS_SILENCE_LIMIT_MS + 1);
  ASSERT_TRUE(PumpUntilLines(1));
  EXPECT_EQ(Lines(), Strings{NO_DATA_TEXT});
  EXPECT_TRUE(Shows(NO_DATA_TEXT));
}

}  // namespace
}  // namespace gradlog
