// The progress gauge an image set moves: the main window's (through the
// engine's host) or the publish dialog's own.
#pragma once

class TGauge {
public:
    virtual ~TGauge() = default;
    virtual void SetMax(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
};

// The main window's gauge.
TGauge &MainGauge();
