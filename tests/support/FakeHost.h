// A host for engine tests: records what the engine shows and lets a test set
// the auto-copy switches. Registered for the lifetime of the object.
#pragma once

#include "HostU.h"

#include <vector>

class TFakeHost : public THost {
public:
    TFakeHost() { SetHost(this); }
    ~TFakeHost() override { SetHost(nullptr); }
    TFakeHost(const TFakeHost &) = delete;
    TFakeHost &operator=(const TFakeHost &) = delete;

    void SetCaption(const QString &caption) override { Caption = caption; }
    void SetProgressMax(int maximum) override { ProgressMax = maximum; }
    void SetProgress(int position) override { Progress.push_back(position); }
    void SetNeedBgRedraw() override { NeedBgRedraw = true; }
    void DrawPreview() override { ++PreviewsDrawn; }
    bool AutoState() const override { return AutoStateOn; }
    bool AutoButton() const override { return AutoButtonOn; }
    bool AutoButState() const override { return AutoButStateOn; }

    QString Caption;
    int ProgressMax = -1;
    std::vector<int> Progress;
    bool NeedBgRedraw = false;
    int PreviewsDrawn = 0;
    bool AutoStateOn = false;
    bool AutoButtonOn = false;
    bool AutoButStateOn = false;
};
