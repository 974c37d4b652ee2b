// Zentra!.exe from its entry point to its exit code: the prime table, the main window, the
// message loop. A start that cannot go on shows its reason in a box and ends with code 1.
#pragma once

#include <windows.h>

#include "platform/window/WindowSeam.h"

namespace zentra::win32 {

// `seam`: a test build's hook into the window (borrowed); none for the shipped program.
int RunProgram(HINSTANCE instance, int showCommand, WindowSeam* seam = nullptr);

}  // namespace zentra::win32
