#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/UserMessages.h"
#include "config/DerivedSettings.h"
#include "datafile/DataFile.h"
#include "datafile/RecordWriters.h"
#include "dialogs/DialogTestBase.h"
#include "display/DisplayScales.h"
#include "display/DrawingResources.h"
#include "logging/ButtonSets.h"
#include "logging/LoggingRun.h"
#include "logging/LoggingWindow.h"
#include "platform/gfx/TextTrace.h"
#include "resources/Menus.h"
#include "serial/GradReader.h"
#include "serial/SerialState.h"

namespace gradlog::testing {

// A logging window on a headless platform with a hand-moved clock, over the parts of the
// program's state a run works on. Readings are handed to it as the reader hands them; a data
// file is opened directly, without the file chooser.
class LoggingRunFixture : public DialogTestBase {
 protected:
  LoggingRunFixture() {
    RegisterMenus();
    display.fonts = CreateFonts();
    display.drawing = CreateDrawingResources();
    display.channels = CreateChannelResources(config.settings);
    InitDisplayScales(display, config.settings);
    ComputeDerivedSettings(config);
    ApplyDisplaySettings(display, config.settings);
    platform::RegisterClass(
        {.name = "RunTestMain",
         .procedure = platform::DefWindowProc,
         .background = platform::GetStockBrush(platform::StockObject::LightGrayBrush)});
    EXPECT_TRUE(RegisterLoggingClasses(run));
    main = platform::CreateWindow(
        {.className = "RunTestMain", .style = platform::WS_VISIBLE, .rect = {0, 0, 320, 240}});
    platform::CreateWindow({.className = "LoggingWnd",
                            .style = platform::WS_CHILD,
                            .rect = {0, 0, 320, 240},
                            .parent = main,
                            .id = 4});
    logging.loggingActive = 1;
    platform::ShowWindow(logging.windows.logging, true);
    platform::PumpMessages();
  }

  // A data file with its opening records, standing by as "&File" leaves the run.
  void OpenDataFile(const std::string& name = "120510A") {
    const std::string path = "C_DRIVE\\DATAZEP601\\" + name + ".601";
    std::filesystem::create_directories(root.Path() / "C_DRIVE" / "DATAZEP601");
    dataFile.dataFileHandle.Set(DataFile::Create(path));
    dataFile.dataFilePath = path;
    dataFile.dataFileName = name;
    WriteDataFileHeader(dataFile, config);
    WriteLineStartRecords(dataFile, config);
    WriteClockRecord(dataFile);
    dataFile.recordingState = -1;
    ShowButtonSet(run, -1);
  }

  std::filesystem::path DataFilePath(const std::string& name = "120510A") const {
    return root.Path() / "C_DRIVE" / "DATAZEP601" / (name + ".601");
  }

  // The data file's records, each without its line feed.
  std::vector<std::string> Records(const std::string& name = "120510A") const {
    std::ifstream file(DataFilePath(name), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> records;
    for (std::size_t at = 0; at + 27 <= bytes.size(); at += 27)
      records.push_back(bytes.substr(at, 26));
    return records;
  }

  // The event and comment texts of the file, in order.
  std::vector<std::string> Events(char marker = 'X') const {
    std::vector<std::string> texts;
    for (const std::string& record : Records()) {
      if (record[0] == marker)
        texts.push_back(record.substr(1, 11));
    }
    return texts;
  }

  void Reading(const std::string& text) {
    platform::SendMessage(logging.windows.logging, UM_GRAD_DATA, 0, 0,
                          GradLine{text, test.services.TickCount()});
  }

  bool Shows(std::string_view text) { return test.Screen().Trace().IsVisible(text); }

  LoggingState logging;
  SerialState serial;
  LoggingRun run{config, display, gps, dataFile, serial, logging};
  platform::Hwnd main;
};

}  // namespace gradlog::testing
