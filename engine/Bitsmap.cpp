#include "Bitsmap.h"

TBitsmap &RenderBuffer()
{
    static TBitsmap buffer;
    return buffer;
}
