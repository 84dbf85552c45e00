#pragma once

#include <cstdio>
#include <mutex>

#include "common/debug_output.h"

namespace sonvik {

// Diagnostics to a stdio stream, a whole line at a time, so that the two threads' lines never
// interleave within a line.
class CStreamDebugSink : public IDebugSink {
  public:
    explicit CStreamDebugSink(std::FILE* pStream) : m_pStream(pStream) {}
    void Write(std::string_view piece) override;

  private:
    std::FILE* m_pStream;
    std::mutex m_mutex;
};

}  // namespace sonvik
