#include "HostU.h"

static THost SilentHost;
static THost *CurrentHost = &SilentHost;

THost &Host() { return *CurrentHost; }

void SetHost(THost *host) { CurrentHost = host ? host : &SilentHost; }
