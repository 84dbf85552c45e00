#pragma once

#include "common/debug_output.h"

namespace sonvik::windows {

// The diagnostic lines on Windows: the debugger output, piece by piece as they are written.
class CDebuggerSink : public IDebugSink {
  public:
    void Write(std::string_view piece) override;
};

}  // namespace sonvik::windows
