#pragma once

namespace gradlog {

// Registers every dialog template of the program with the platform.
void RegisterDialogTemplates();

}  // namespace gradlog
