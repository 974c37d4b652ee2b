// Zentra!: the program's entry point.
#include <windows.h>

#include "platform/window/Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return zentra::win32::RunProgram(instance, showCommand);
}
