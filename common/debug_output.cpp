#include "common/debug_output.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace sonvik {

namespace {

// Both threads write diagnostics, so the sink pointer is read and written atomically.
std::atomic<IDebugSink*> g_pDebugSink{nullptr};

}  // namespace

void SetDebugSink(IDebugSink* pSink) {
    g_pDebugSink.store(pSink, std::memory_order_release);
}

bool IsDebugListening() {
    return g_pDebugSink.load(std::memory_order_acquire) != nullptr;
}

void DebugWrite(std::string_view piece) {
    if (IDebugSink* pSink = g_pDebugSink.load(std::memory_order_acquire)) {
        pSink->Write(piece);
    }
}

void DebugPrintf(const char* pszFormat, ...) {
    IDebugSink* pSink = g_pDebugSink.load(std::memory_order_acquire);
    if (pSink == nullptr) {
        return;
    }
    char szPiece[256];
    va_list args;
    va_start(args, pszFormat);
    const int nLength = std::vsnprintf(szPiece, sizeof szPiece, pszFormat, args);
    va_end(args);
    if (nLength > 0) {
        const auto nKept = static_cast<std::size_t>(nLength) < sizeof szPiece
                               ? static_cast<std::size_t>(nLength)
                               : sizeof szPiece - 1;
        pSink->Write(std::string_view(szPiece, nKept));
    }
}

}  // namespace sonvik
