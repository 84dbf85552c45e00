#pragma once

#include <thread>

#include "app/panel.h"

namespace sonvik {

// The panel as the application runs it: the operations, plus the modal run, which creates the
// window, runs it on the calling thread until the operator closes it, and destroys it.
class IDialogPanel : public IPanel {
  public:
    virtual void DoModal() = 0;

    // Waits for the worker to end once the modal run is over.
    virtual void WaitForWorker(std::thread& worker) { worker.join(); }
};

}  // namespace sonvik
