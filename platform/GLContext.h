// An OpenGL rendering context of our own, off the screen: Mesa's
// surfaceless EGL platform with a 500 x 500 pixel buffer to draw into and
// read back from. It is current only while a render runs: Qt makes its own
// contexts current on the same thread, so each render takes the thread and
// gives it back.
#pragma once

#include <EGL/egl.h>

class TGLContext {
public:
    // Without the accelerator, Mesa's software rasteriser draws, which gives
    // the same pixels on every machine; with it the driver chooses.
    // Raises ERenderError when no context can be made.
    explicit TGLContext(bool useAccelerator);
    ~TGLContext();
    TGLContext(const TGLContext &) = delete;
    TGLContext &operator=(const TGLContext &) = delete;

    static constexpr int SurfaceSide = 500;

    // Releases whatever context the thread has current and makes this one
    // current on its pixel buffer; raises ERenderError when it cannot.
    void MakeCurrent();
    void Release();

private:
    void InitializeDisplay(bool useAccelerator);
    void Destroy();
    EGLConfig ChooseConfig() const;

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    bool current = false;  // made current by MakeCurrent and not yet released
};
