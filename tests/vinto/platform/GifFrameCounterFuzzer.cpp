// Image files may be damaged or hostile: counting frames must stay inside the data.
#include "vinto/platform/GifFrameCounter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Vinto::CountGifFrames(data, size);
    return 0;
}
