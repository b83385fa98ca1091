#include "ParamU.h"

TParam &AppParam()
{
    static TParam param;
    return param;
}
