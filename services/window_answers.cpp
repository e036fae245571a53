#include "services/window_answers.h"

bool IsAnswering(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, AnswerLimitMs, &answer) != 0;
}
