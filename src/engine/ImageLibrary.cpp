#include "ImageLibrary.h"

#include <IL/ilu.h>

namespace markwell {

namespace {

std::timed_mutex &libraryMutex()
{
    static std::timed_mutex mutex;
    return mutex;
}

} // namespace

std::unique_lock<std::timed_mutex> lockImageLibrary()
{
    return std::unique_lock<std::timed_mutex>(libraryMutex());
}

std::unique_lock<std::timed_mutex> tryLockImageLibrary(std::chrono::milliseconds wait)
{
    if (wait <= std::chrono::milliseconds(0))
        return std::unique_lock<std::timed_mutex>(libraryMutex(), std::try_to_lock);
    return std::unique_lock<std::timed_mutex>(libraryMutex(), wait);
}

ImageLibrarySession::ImageLibrarySession()
{
    ilInit();
    iluInit();
    // Every loader hands its rows over top row first, so the rest of the engine never
    // has to think about the file's own row order. ilInit resets the states, so this
    // comes after it.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
}

ImageLibrarySession::~ImageLibrarySession()
{
    ilShutDown();
}

DevilImage::DevilImage()
{
    ilGenImages(1, &m_name);
}

DevilImage::~DevilImage()
{
    if (m_name != 0)
        ilDeleteImages(1, &m_name);
}

void DevilImage::bind() const
{
    ilBindImage(m_name);
}

QSize DevilImage::size() const
{
    bind();
    return {ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT)};
}

} // namespace markwell
