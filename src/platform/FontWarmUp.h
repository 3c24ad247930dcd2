#pragma once

#include <thread>

// Reads the font configuration on a thread of its own, beside the rest of
// the start, so that the first window to show text finds it read. A desktop
// with many fonts takes tens of milliseconds over it.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until it has been read; call before the first window is made.
    void wait();

private:
    std::thread m_thread;
};
