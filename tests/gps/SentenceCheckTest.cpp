#include "gps/SentenceCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gps/GpsDataTypes.h"
#include "gps/SentenceCaseNames.h"
#include "gps/SentenceSelection.h"

namespace gradlog {
namespace {

constexpr std::string_view GGA =
    "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,47.3,M,,*62";
constexpr std::string_view GSA = "$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.0*3A";
constexpr std::string_view RMC =
    "$GPRMC,123519.00,A,4807.0380,N,01131.0000,E,0.50,90.0,061523,,,A*5E";
constexpr std::string_view POS =
    "$PASHR,POS,0,06,123519.00,4807.0380,N,01131.0000,E,+545.40,,90.0,3.6,+0.0,1.8,0.9,1.5,1.0,*31";

constexpr std::int32_t AT_1_HZ_MS = 910;
constexpr std::int32_t AT_2_HZ_MS = 410;

TEST(SentenceCheckTest, ChecksumIsTheXorUpToTheFirstStarAgainstTheNumberAfterTheLast) {
  struct Case {
    const char* what;
    std::string_view sentence;
    bool matches;
  };
  const Case cases[] = {
      {"recorded receiver output",
       "$GPGGA,214350,4023.8600,N,00339.1630,W,8,09,2.0,695.7,M,51.6,M,,*5A", true},
      {"upper-case digits", GSA, true},
      {"lower-case digits", "$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.0*3a", true},
      {"one bit off", "$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.0*3B", false},
      {"a changed character", "$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.1*3A", false},
      {"two stars", "$GPTXT,01,01,02,A*B*0C", true},
      {"two stars, XOR taken up to the last", "$GPTXT,01,01,02,A*B*64", false},
      {"two stars, number taken after the first", "$GPTXT,01,01,02,A*0C*00", false},
      {"text after the digits", "$GPTXT,01,01,02,A*0C junk", true},
      {"leading zeros", "$GPTXT,01,01,02,A*000C", true},
      {"more than a byte", "$GPTXT,01,01,02,A*10C", false},
      {"a very long number", "$GPTXT,01,01,02,A*0C0C0C0C0C0C0C0C0C0C0C", false},
      {"no digits", "$GPTXT,01,01,02,A*", false},
      {"no hexadecimal digits", "$GPTXT,01,01,02,A*G0", false},
      {"nothing between '$' and '*'", "$*00", true},
      {"no star", "$GPTXT,01,01,02,A", false},
      {"no dollar", "GPTXT,01,01,02,A*0C", false},
      {"empty", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChecksumMatches(c.sentence), c.matches) << c.what << ": " << c.sentence;
}

// The sentence handler as the logging window runs it: one selection, one fix state.
class Classifier {
 public:
  Classifier(std::int32_t gpsDataType, std::int32_t intervalMs)
      : type_(gpsDataType), intervalMs_(intervalMs) {
    SelectGpsSentence(selection_, gpsDataType);
  }
  SentenceVerdict operator()(std::string_view sentence, std::uint32_t tick) {
    return ClassifySentence(sentence, tick, selection_, type_, intervalMs_, fix);
  }
  GpsFix fix;

 private:
  GpsSentenceSelection selection_;
  std::int32_t type_;
  std::int32_t intervalMs_;
};

struct Step {
  std::string_view sentence;
  std::uint32_t tick;
  SentenceCase recordCase;
};

// Runs the steps in order; a fix must ask for decoding, a GSA after a fix for its PDOP, and
// nothing else for either.
void ExpectCases(Classifier& classify, const std::vector<Step>& steps) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    const SentenceVerdict verdict = classify(s.sentence, s.tick);
    SCOPED_TRACE("step " + std::to_string(i) + " at " + std::to_string(s.tick) + ": " +
                 std::string(s.sentence));
    EXPECT_EQ(verdict.recordCase, s.recordCase);
    EXPECT_EQ(verdict.decodeFix, s.recordCase == SentenceCase::Fix);
    EXPECT_EQ(verdict.decodeGsa, s.recordCase == SentenceCase::GsaAfterFix);
  }
}

TEST(SentenceCheckTest, TheDisplayRateLimitsTheFixes) {
  Classifier atOneHz(GPS_DATA_TYPE_GGA, AT_1_HZ_MS);
  ExpectCases(atOneHz, {{GGA, 100000, SentenceCase::Fix},
                        {GGA, 100500, SentenceCase::TooSoon},
                        {GGA, 100910, SentenceCase::TooSoon},  // not beyond the interval
                        {GGA, 100911, SentenceCase::Fix}});
  EXPECT_EQ(atOneHz.fix.lastFixTick, 100911u);

  Classifier atTwoHz(GPS_DATA_TYPE_GGA, AT_2_HZ_MS);
  ExpectCases(atTwoHz, {{GGA, 100000, SentenceCase::Fix}, {GGA, 100500, SentenceCase::Fix}});
}

TEST(SentenceCheckTest, TheIntervalSurvivesTheTickWrap) {
  Classifier classify(GPS_DATA_TYPE_GGA, AT_1_HZ_MS);
  classify.fix.lastFixTick = 0x7FFFFFFFu;  // the last fix long ago
  ExpectCases(classify, {{GGA, 0xFFFFFE00u, SentenceCase::Fix},
                         {GGA, 0x00000100u, SentenceCase::TooSoon},  // 512 ms later
                         {GGA, 0x00000400u, SentenceCase::Fix}});    // 1536 ms later
}

// The interval is the absolute difference: a tick from before the last fix (a sentence
// handled late) is as far from it as one after.
TEST(SentenceCheckTest, ATickBeforeTheLastFixCountsByItsDistance) {
  Classifier classify(GPS_DATA_TYPE_GGA, AT_1_HZ_MS);
  ExpectCases(classify, {{GGA, 100000, SentenceCase::Fix},
                         {GGA, 99500, SentenceCase::TooSoon},
                         {GGA, 98000, SentenceCase::Fix}});
}

TEST(SentenceCheckTest, BadSentencesAreSortedOutBeforeAnyTest) {
  Classifier classify(GPS_DATA_TYPE_GGA, AT_1_HZ_MS);
  std::string wrongChecksum(GGA);
  wrongChecksum.back() = '3';
  ExpectCases(classify, {{GGA.substr(1), 100000, SentenceCase::Bad},
                         {GGA.substr(0, GGA.size() - 3), 100000, SentenceCase::Bad},
                         {wrongChecksum, 100000, SentenceCase::Bad},
                         {"", 100000, SentenceCase::Bad}});
  EXPECT_EQ(classify.fix.lastFixTick, 0u);
  EXPECT_EQ(classify.fix.gsaPending, 0);
}

TEST(SentenceCheckTest, GoodSentencesOfAnotherTypeAreNotRecorded) {
  Classifier classify(GPS_DATA_TYPE_GGA, AT_1_HZ_MS);
  ExpectCases(classify, {{RMC, 100000, SentenceCase::NotRecorded},
                         {GGA, 101000, SentenceCase::Fix},
                         {GSA, 101100, SentenceCase::NotRecorded}});  // only with "GGA/GSA"
}

TEST(SentenceCheckTest, TheTagIsFoundAnywhereInTheSentence) {
  Classifier classify(GPS_DATA_TYPE_POS, AT_1_HZ_MS);
  ExpectCases(classify,
              {{POS, 100000, SentenceCase::Fix}, {GGA, 102000, SentenceCase::NotRecorded}});
}

TEST(SentenceCheckTest, OnlyTheFirstGsaAfterAFixIsRecorded) {
  Classifier classify(GPS_DATA_TYPE_GGA_GSA, AT_1_HZ_MS);
  std::string badGsa(GSA);
  badGsa.back() = 'B';
  ExpectCases(classify, {{GSA, 100000, SentenceCase::NotRecorded},  // no fix yet
                         {GGA, 101000, SentenceCase::Fix},
                         {badGsa, 101050, SentenceCase::Bad},  // leaves the GSA pending
                         {GSA, 101100, SentenceCase::GsaAfterFix},
                         {GSA, 101200, SentenceCase::NotRecorded},
                         {GGA, 101500, SentenceCase::TooSoon},  // not a fix: no GSA
                         {GSA, 101600, SentenceCase::NotRecorded},
                         {GGA, 102000, SentenceCase::Fix},
                         {GSA, 102100, SentenceCase::GsaAfterFix}});
  EXPECT_EQ(classify.fix.gsaPending, 0);
}

// The total station's GGA carries grid coordinates; its checksum is not compared and its
// other sentences are recorded as they come.
TEST(SentenceCheckTest, LeicaTpsSkipsTheChecksumAndKeepsEverySentence) {
  Classifier classify(GPS_DATA_TYPE_LEICA_TPS, AT_1_HZ_MS);
  ExpectCases(classify, {{"$GPGGA,123519.00,5000.120,N,1000.340,E,1,08,0.9,545.400,M*00", 100000,
                          SentenceCase::Fix},
                         {GGA, 100500, SentenceCase::TooSoon},
                         {GSA, 100600, SentenceCase::LeicaWithoutTag},
                         {"$GPGGA,123519.00,5000.120,N", 102000, SentenceCase::Bad},  // no '*'
                         {GGA.substr(1), 102000, SentenceCase::Bad}});
}

TEST(SentenceCheckTest, WithoutASelectionNothingIsAFix) {
  GpsFix fix;
  const SentenceVerdict verdict =
      ClassifySentence(GGA, 100000, GpsSentenceSelection{}, GPS_DATA_TYPE_GGA, AT_1_HZ_MS, fix);
  EXPECT_EQ(verdict.recordCase, SentenceCase::NotRecorded);
}

}  // namespace
}  // namespace gradlog
