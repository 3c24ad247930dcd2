#pragma once

#include <future>
#include <thread>

// Reads the font configuration on a thread of its own, beside the rest of
// the start, so that the first window to show text finds it read. A desktop
// with many fonts takes tens of milliseconds over it. Once the application
// exists, the same thread also has Qt read its font database, which all
// threads share, while the window is being built.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // The application exists: Qt's fonts may be read from now on.
    void applicationStarted();
    // Waits until all is read; call before the application is destroyed.
    void wait();

private:
    void tell(bool applicationExists);

    std::promise<bool> m_applicationExists;
    bool m_told = false;
    std::thread m_thread;
};
