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
    std::string latitude;
    std::string longitude;
    char northSouth;
    char eastWest;
  };
  const Case cases[] = {
      {48.1173, 4, "4807.0380", "04807.0380", 'N', 'E'},
      {-0.9, 4, "0054.0000", "00054.0000", 'S', 'W'},
      {-33.5, 5, "3330.00000", "03330.00000", 'S', 'W'},
      {0.0, 4, "0000.0000", "00000.0000", 'N', 'E'},
      // 59.999999 minutes rounds up into the next degree, never "60.0000".
      {51.0 + 59.999999 / 60.0, 4, "5200.0000", "05200.0000", 'N', 'E'},
      {-(12.0 + 59.999996 / 60.0), 5, "1300.00000", "01300.00000", 'S', 'W'},
      {179.99999999, 4, "18000.0000", "18000.0000", 'N', 'E'},
      {5.5, 7, "0530.0000000", "00530.0000000", 'N', 'E'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    EXPECT_EQ(FormatLatitude(c.degrees, c.decimals), c.latitude);
    EXPECT_EQ(FormatLongitude(c.degrees, c.decimals), c.longitude);
    EXPECT_EQ(LatitudeHemisphere(c.degrees), c.northSouth);
    EXPECT_EQ(LongitudeHemisphere(c.degrees), c.eastWest);
  }
}

TEST(NmeaFormatTest, FixedNeverPrintsNegativeZero) {
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.006, 2), "-0.01");
  EXPECT_EQ(FormatFixed(1012.434, 2), "1012.43");
}

TEST(NmeaFormatTest, TimeStampsTruncateAndKeepTheirWidth) {
  using namespace std::chrono;
  // 2024-02-29 23:59:59.999 UTC: the hundredths must not round up to 60 seconds.
  const sys_days day = year(2024) / February / 29;
  const UtcStamp late = ToUtcStamp(day + hours(23) + minutes(59) + seconds(59) + milliseconds(999));
  EXPECT_EQ(FormatTimeOfDay(late), "235959.99");
  EXPECT_EQ(FormatDateDmy(late), "290224");
  EXPECT_EQ(FormatDateMdy(late), "022924");
  const UtcStamp early = ToUtcStamp(sys_days(year(2009) / March / 7) + milliseconds(50));
  EXPECT_EQ(FormatTimeOfDay(early), "000000.05");
  EXPECT_EQ(FormatDateDmy(early), "070309");
}

}  // namespace
}  // namespace gradsim
