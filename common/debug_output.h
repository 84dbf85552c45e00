#pragma once

#include <string_view>

namespace sonvik {

// Where the diagnostic lines go: the debugger output on Windows, standard error on request on
// Linux, a capture in the tests. Pieces arrive as the system writes them; a line ends in '\n'.
class IDebugSink {
  public:
    virtual ~IDebugSink() = default;
    virtual void Write(std::string_view piece) = 0;
};

// Installs the sink (nullptr: nobody listens). The sink must outlive its installation.
void SetDebugSink(IDebugSink* pSink);

bool IsDebugListening();

// Writes one piece; does nothing when nobody listens.
void DebugWrite(std::string_view piece);

// Formats one piece printf-style, but only when somebody listens.
void DebugPrintf(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

}  // namespace sonvik
