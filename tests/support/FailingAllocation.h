#pragma once

// Makes one allocation through operator new fail with std::bad_alloc, as memory
// running out does at any point of a real run, without a memory limit. A program that
// uses it links FailingAllocation.cpp, which replaces the global operator new.
class FailingAllocation {
  public:
    // The allocation `skip` allocations from now fails; the ones after it succeed.
    explicit FailingAllocation(long skip);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the failing allocation was reached.
    bool Failed() const;
};
