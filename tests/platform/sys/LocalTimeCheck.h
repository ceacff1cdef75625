#pragma once

#include <gtest/gtest.h>

#include "platform/sys/SystemServices.h"

namespace platform {

inline LocalTime At(int year, int month, int day, int dayOfWeek, int hour, int minute, int second,
                    int millisecond) {
  return {year, month, day, dayOfWeek, hour, minute, second, millisecond};
}

// Compares every field and names the one that differs.
inline void ExpectSameTime(const LocalTime& actual, const LocalTime& expected) {
  EXPECT_EQ(actual.year, expected.year);
  EXPECT_EQ(actual.month, expected.month);
  EXPECT_EQ(actual.day, expected.day);
  EXPECT_EQ(actual.dayOfWeek, expected.dayOfWeek);
  EXPECT_EQ(actual.hour, expected.hour);
  EXPECT_EQ(actual.minute, expected.minute);
  EXPECT_EQ(actual.second, expected.second);
  EXPECT_EQ(actual.millisecond, expected.millisecond);
}

}  // namespace platform
