#include "Gauge.h"

#include "HostU.h"

namespace {

class THostGauge : public TGauge {
public:
    void SetMax(int maximum) override { Host().SetProgressMax(maximum); }
    void SetPosition(int position) override { Host().SetProgress(position); }
};

}  // namespace

TGauge &MainGauge()
{
    static THostGauge gauge;
    return gauge;
}
