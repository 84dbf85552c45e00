#pragma once

namespace sonvik {

class CSonvikApp;

// The worker thread's procedure: cycles while app.m_bRunning is set, then returns 0.
int PollLoop(CSonvikApp& app);

// One cycle of the loop: search or read the name, take at most one event, refresh the panel's
// texts and carry out the raised requests.
void RunPollCycle(CSonvikApp& app);

}  // namespace sonvik
