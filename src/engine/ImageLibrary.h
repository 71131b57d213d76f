#pragma once

#include <IL/il.h>

#include <QSize>

#include <chrono>
#include <mutex>

namespace markwell {

// DevIL keeps its state (the bound image, the JPEG quality, its image names) per
// process. Every user of the library holds this lock for as long as it works with it.
// The batch run on the window's thread takes it with short timed tries between
// processing events, so the window never blocks on a preview render, and a render never
// waits for the window's thread while it holds the lock.
std::unique_lock<std::timed_mutex> lockImageLibrary();
// An unlocked (owns_lock() false) result when the lock was not free within `wait`.
std::unique_lock<std::timed_mutex> tryLockImageLibrary(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

// ilInit on construction, ilShutDown on destruction. Hold the lock around it.
class ImageLibrarySession
{
public:
    ImageLibrarySession();
    ~ImageLibrarySession();
    ImageLibrarySession(const ImageLibrarySession &) = delete;
    ImageLibrarySession &operator=(const ImageLibrarySession &) = delete;
};

// One DevIL image name, generated on construction and deleted on destruction.
class DevilImage
{
public:
    DevilImage();
    ~DevilImage();
    DevilImage(const DevilImage &) = delete;
    DevilImage &operator=(const DevilImage &) = delete;

    ILuint name() const { return m_name; }
    void bind() const;
    // Size of this image; binds it.
    QSize size() const;

private:
    ILuint m_name = 0;
};

} // namespace markwell
