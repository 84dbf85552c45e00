#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "common/debug_output.h"

namespace sonvik::test {

// Installs itself as the diagnostics sink for its lifetime and keeps every piece.
class DebugCapture : public IDebugSink {
  public:
    DebugCapture() { SetDebugSink(this); }
    ~DebugCapture() override { SetDebugSink(nullptr); }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    void Write(std::string_view piece) override {
        std::lock_guard lock(m_mutex);
        m_pieces.emplace_back(piece);
    }

    std::vector<std::string> Pieces() {
        std::lock_guard lock(m_mutex);
        return m_pieces;
    }

    std::string Text() {
        std::string text;
        for (const auto& piece : Pieces()) {
            text += piece;
        }
        return text;
    }

  private:
    std::mutex m_mutex;
    std::vector<std::string> m_pieces;
};

}  // namespace sonvik::test
