#include "app/sonvik_app.h"

#include <thread>

namespace sonvik {

void SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace sonvik
