#pragma once

// Starting with Windows: a value of the user's Run key (HKCU, no administrator needed), which
// Explorer runs at sign-in. It runs this very program with --tray, and with --folder naming the
// folder it keeps its files in now, since Explorer starts it in a folder of its own choosing.
// Task Manager's Startup tab turns an entry off in StartupApproved\Run, beside it: an entry
// turned off there counts as none of ours, and writing ours turns it on again.

#include "base/system/autostart.h"

#include <string>

namespace bt::win32 {

class Win32Autostart : public Autostart {
  public:
    // This process's program and working folder.
    Win32Autostart();

    AutostartEntry entry() override;
    AutostartResult write() override;
    AutostartResult remove() override;
    std::string caption() const override { return "Start with Windows"; }

  private:
    bool turnedOff() const;

    std::wstring program_;
    std::wstring folder_;
};

} // namespace bt::win32
