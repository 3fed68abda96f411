#pragma once

#include "sync/gui_thread.h"

namespace quorvel {

// The synchronous call onto the GUI thread, on Qt's event loop: worker threads (the timers,
// the serial port's message thread) wait in a blocking queued call; waiting for them on the
// GUI thread keeps processing events other than user input.
class QtGuiThread final : public GuiThread {
  public:
    void Synchronize(const std::function<void()>& call) override;
    void ServeUntil(const std::function<bool()>& finished) override;
    void Wake() override;
};

}  // namespace quorvel
