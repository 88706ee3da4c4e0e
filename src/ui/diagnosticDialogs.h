#pragma once

// Registers the output display, the diagnostic options and the firmware dialog.
void registerDiagnosticDialogs();
