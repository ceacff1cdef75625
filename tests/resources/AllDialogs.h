#pragma once

#include <array>
#include <span>
#include <string_view>

#include "resources/ControlIds.h"

namespace gradlog::testing {

// A dialog template by name and the controls its ids header names for it.
struct DialogControls {
  std::string_view templateName;
  std::span<const controls::ControlId> controls;
};

inline constexpr std::array<DialogControls, 13> ALL_DIALOGS{{
    {controls::survey_setup::TEMPLATE, controls::survey_setup::CONTROLS},
    {controls::system_setup::TEMPLATE, controls::system_setup::CONTROLS},
    {controls::logger_setup::TEMPLATE, controls::logger_setup::CONTROLS},
    {controls::new_line::TEMPLATE, controls::new_line::CONTROLS},
    {controls::new_station::TEMPLATE, controls::new_station::CONTROLS},
    {controls::comment::TEMPLATE, controls::comment::CONTROLS},
    {controls::map_scale::TEMPLATE, controls::map_scale::CONTROLS},
    {controls::profile_scale::TEMPLATE, controls::profile_scale::CONTROLS},
    {controls::speed_scale::TEMPLATE, controls::speed_scale::CONTROLS},
    {controls::gps_port_setup::TEMPLATE, controls::gps_port_setup::CONTROLS},
    {controls::gps_warning_mask::TEMPLATE, controls::gps_warning_mask::CONTROLS},
    {controls::gps_message::TEMPLATE, controls::gps_message::CONTROLS},
    {controls::ascii_file::TEMPLATE, controls::ascii_file::CONTROLS},
}};

}  // namespace gradlog::testing
