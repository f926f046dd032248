#pragma once

#include <atomic>
#include <functional>
#include <string>

// Where export and import show their progress and run their file copies. The base
// runs each copy at once on the calling thread and shows nothing; the program's
// host copies on a worker thread while the window stays live, and the tool prints a
// progress line.
class TransferHost {
  public:
    enum class CopyResult { Copied, Failed, Cancelled };
    // A copy is handed the flag the user raises to stop it.
    using Copy = std::function<CopyResult(const std::atomic<bool>& cancel)>;

    virtual ~TransferHost() = default;

    // "Files for NAME being copied", for the photo at `index` (from 0) of `count`.
    virtual void ShowProgress(const std::string& /*text*/, int /*index*/, int /*count*/) {}
    virtual void ClearProgress() {}
    // Runs the copy to its end and gives its result. Called on the thread that runs
    // the command, which alone touches the catalog.
    virtual CopyResult RunCopy(const Copy& copy)
    {
        const std::atomic<bool> never{false};
        return copy(never);
    }
};
