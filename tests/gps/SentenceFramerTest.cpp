#include "gps/SentenceFramer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gradlog {
namespace {

using namespace std::string_literals;

std::vector<std::string> Frame(const std::string& stream) {
  SentenceFramer framer;
  std::vector<std::string> sentences;
  for (const char byte : stream) {
    if (const auto sentence = framer.Feed(byte, 0))
      sentences.emplace_back(*sentence);
  }
  return sentences;
}

TEST(SentenceFramerTest, HandsOverEachWholeLineOnce) {
  struct Case {
    const char* what;
    std::string stream;
    std::vector<std::string> sentences;
  };
  const std::string longest = "$GPTXT," + std::string(92, 'x');  // 99 characters
  const std::vector<Case> cases{
      {"CR LF stripped", "$GPGGA,123519*47\r\n", {"$GPGGA,123519*47"}},
      {"LF alone ends a line", "$GPGGA,123519*47\n", {"$GPGGA,123519*47"}},
      {"second LF hands nothing", "$GPGGA,123519*47\r\n\n", {"$GPGGA,123519*47"}},
      {"no '$': never handed", "GPGGA,123519*47\r\n", {}},
      {"stream starts mid-line", "519*47\r\n$GPGLL,1*00\r\n", {"$GPGLL,1*00"}},
      {"noise between lines", "$A*00\r\nzz\x01\r\n$B*00\r\n", {"$A*00", "$B*00"}},
      {"'$' restarts the line", "$GPGGA,12$GPGLL,1*00\r\n", {"$GPGLL,1*00"}},
      {"interleaved lines",
       "$GPG$GPGSA,A*00\r\n$GP\n$GPRMC*00\r\n",
       {"$GPGSA,A*00", "$GP", "$GPRMC*00"}},
      {"longest sentence", longest + "\r\n", {longest}},
      {"100 characters dropped whole, the next still handed",
       longest + "y\r\n$GPGLL,1*00\r\n",
       {"$GPGLL,1*00"}},
      {"100 characters without CR", longest + "y\n", {}},
      {"a runaway line", "$" + std::string(500, 'x') + "\r\n$A*00\r\n", {"$A*00"}},
      {"NUL drops the line", "$GPG\0GA*00\r\n$GPGLL*00\r\n"s, {"$GPGLL*00"}},
      {"NUL before the CR", "$GPGGA*00\0\r\n"s, {}},
      {"8-bit bytes are kept", "$GP\xB0\xFF*00\r\n", {"$GP\xB0\xFF*00"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Frame(c.stream), c.sentences) << c.what;
}

TEST(SentenceFramerTest, TheStartTickIsTheTickOfTheDollar) {
  SentenceFramer framer;
  const std::string stream = "$GP$GPGGA*00\r\n";
  std::uint32_t handedAt = 0;
  for (std::uint32_t i = 0; i < stream.size(); ++i) {
    if (framer.Feed(stream[i], 1000 + i))
      handedAt = 1000 + i;
  }
  EXPECT_EQ(handedAt, 1000u + static_cast<std::uint32_t>(stream.size()) - 1);
  EXPECT_EQ(framer.SentenceStartTick(), 1003u);
}

TEST(SentenceFramerTest, ResetDropsThePartLine) {
  SentenceFramer framer;
  for (const char byte : "$GPGGA,12"s)
    framer.Feed(byte, 0);
  framer.Reset();
  std::vector<std::string> sentences;
  for (const char byte : "3519*47\r\n$A*00\r\n"s) {
    if (const auto sentence = framer.Feed(byte, 0))
      sentences.emplace_back(*sentence);
  }
  EXPECT_EQ(sentences, std::vector<std::string>{"$A*00"});
}

}  // namespace
}  // namespace gradlog
