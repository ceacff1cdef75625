#include "gradsim/NmeaFormat.h"

#include <gtest/gtest.h>

#include <chrono>

#include "gradsim/UtcStamp.h"

namespace gradsim {
namespace {

TEST(NmeaFormatTest, ChecksumMatchesRecordedSentences) {
  // Bodies and checksums as a real receiver sent them (shared/nmea logs).
  EXPECT_EQ(NmeaChecksum("GPGGA,,,,,,0,,,,M,,M,,"), 0x66);
  EXPECT_EQ(NmeaChecksum("GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.0"), 0x3A);
  EXPECT_EQ(NmeaSentence("GPGLL,,,,,,V,N"), "$GPGLL,,,,,,V,N*64\r\n");
  // One hex digit values keep their leading zero.
  EXPECT_EQ(NmeaSentence("A"), "$A*41\r\n");
  EXPECT_EQ(NmeaSentence("AA"), "$AA*00\r\n");
}

TEST(NmeaFormatTest, AnglesPrintDegreesAndMinutesOfTheAbsoluteValue) {
  struct Case {
    double degrees;
    int decimals;
    std::string latitude, longitude, hemispheres;
  };
  const Case cases[] = {
      {48.1173, 4, "4807.0380", "04807.0380", "NE"},
      {-0.9, 4, "0054.0000", "00054.0000", "SW"},
      {-33.5, 5, "3330.00000", "03330.00000", "SW"},
      {0.0, 4, "0000.0000", "00000.0000", "NE"},
      // 59.999999 minutes rounds up into the next degree, never "60.0000".
      {51.0 + 59.999999 / 60.0, 4, "5200.0000", "05200.0000", "NE"},
      {-(12.0 + 59.999996 / 60.0), 5, "1300.00000", "01300.00000", "SW"},
      {179.99999999, 4, "18000.0000", "18000.0000", "NE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    EXPECT_EQ(FormatLatitude(c.degrees, c.decimals), c.latitude);
    EXPECT_EQ(FormatLongitude(c.degrees, c.decimals), c.longitude);
    EXPECT_EQ(std::string(1, LatitudeHemisphere(c.degrees)) + LongitudeHemisphere(c.degrees),
              c.hemispheres);
  }
}

TEST(NmeaFormatTest, FixedNeverPrintsNegativeZero) {
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.006, 2), "-0.01");
}

TEST(NmeaFormatTest, TimeStampsTruncateAndKeepTheirWidth) {
  using namespace std::chrono;
  // The last millisecond of a leap day: the hundredths must not round up to 60 seconds.
  const UtcStamp late = ToUtcStamp(sys_days(year(2024) / March / 1) - milliseconds(1));
  EXPECT_EQ(FormatTimeOfDay(late) + FormatDateDmy(late) + FormatDateMdy(late),
            "235959.99"
            "290224"
            "022924");
  const UtcStamp early = ToUtcStamp(sys_days(year(2009) / March / 7) + milliseconds(50));
  EXPECT_EQ(FormatTimeOfDay(early) + FormatDateDmy(early),
            "000000.05"
            "070309");
}

}  // namespace
}  // namespace gradsim
