// The Windows entry point of "Kelmor 2.exe".
#include "platform/win32.h"

#include "control/start_kelmor.h"
#include "runtime/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    runtime::Program program;
    start_kelmor(program);
    return program.run_message_loop();
}
