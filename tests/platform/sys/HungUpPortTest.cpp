#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PortLines.h"
#include "ThreadTestSupport.h"
#include "platform/sys/SerialPort.h"

namespace platform {
namespace {

using gradlog::testing::BothKindsOfPortLine;
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

}  // namespace
}  // namespace platform
