#include "common/stream_debug_sink.h"

#include <string>

namespace sonvik {

void CStreamDebugSink::Write(std::string_view piece) {
    thread_local std::string line;
    line += piece;
    if (line.empty() || line.back() != '\n') {
        return;
    }
    std::lock_guard lock(m_mutex);
    std::fwrite(line.data(), 1, line.size(), m_pStream);
    std::fflush(m_pStream);
    line.clear();
}

}  // namespace sonvik
