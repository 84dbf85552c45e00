#include "common/windows/debugger_sink.h"

#include <windows.h>

#include <string>

namespace sonvik::windows {

void CDebuggerSink::Write(std::string_view piece) {
    // The pieces are ASCII, so each byte widens to one code unit.
    const std::wstring text(piece.begin(), piece.end());
    OutputDebugStringW(text.c_str());
}

}  // namespace sonvik::windows
