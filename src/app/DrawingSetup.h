#pragma once

#include "app/AppState.h"

namespace gradlog {

void CreateFonts(AppState& app);
void CreateDrawingResources(AppState& app);
// The two sets built from the settings; each call replaces the old objects of its set.
void CreateMapResources(AppState& app);
void CreateChannelResources(AppState& app);

}  // namespace gradlog
