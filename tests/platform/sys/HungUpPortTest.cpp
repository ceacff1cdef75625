#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "CountingPort.h"
#include "LineReader.h"
#include "PortLines.h"
#include "ThreadTestSupport.h"
#include "platform/sys/SerialPort.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using gradlog::testing::BothKindsOfPortLine;
using gradlog::testing::CountingPort;
using gradlog::testing::LineReader;
using gradlog::testing::PortLine;
using gradlog::testing::ResultAfter;
using gradlog::testing::ResultWithoutHang;

TEST(HungUpPortTest, HangUpEndsAWaitAndThePortFailsAtOnceFromThenOn) {
  for (const std::unique_ptr<PortLine>& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line->Kind());
    const PortHandle port = line->Port();
    ASSERT_TRUE(port->SetTimeouts({}));  // all zero: a read blocks until its buffer is full
    EXPECT_FALSE(ResultAfter([&] { line->HangUp(); }, [&] { return port->WaitForInput(); }));
    std::string buffer(8, '\0');
    ResultWithoutHang([&] {
      EXPECT_FALSE(port->WaitForInput());
      EXPECT_EQ(port->Read(buffer), 0u);
      EXPECT_EQ(port->ReadAvailable(buffer), 0u);
      EXPECT_EQ(port->Write(std::string_view("W")), 0u);
    });
  }
}

TEST(HungUpPortTest, AReaderOnAHungUpPortBacksOffInsteadOfSpinning) {
  for (const std::unique_ptr<PortLine>& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line->Kind());
    line->HangUp();
    auto counting = std::make_shared<CountingPort>(line->Port());
    {
      LineReader reader(counting);
      std::this_thread::sleep_for(500ms);
    }
    // A pause of 10 ms after each failed wait allows about a hundred calls; a reader that
    // tries again at once makes hundreds of thousands.
    EXPECT_GT(counting->Calls(), 0);
    EXPECT_LT(counting->Calls(), 1000);
  }
}

}  // namespace
}  // namespace platform
