#include "GLContext.h"

#include "Exceptions.h"

#include <EGL/eglext.h>
#include <GL/gl.h>
#include <QByteArray>
#include <QOpenGLContext>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// Leak-checking builds, as GCC and clang announce them.
#if defined(__SANITIZE_ADDRESS__)
#define BL_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BL_LEAK_CHECKED 1
#endif
#endif
#ifdef BL_LEAK_CHECKED
#include <dlfcn.h>
#include <link.h>
#endif

namespace {

[[noreturn]] void Fail(const std::string &what)
{
    throw ERenderError(what + " (EGL error 0x" + QByteArray::number(eglGetError(), 16).toStdString() + ")");
}

EGLint Attribute(EGLDisplay display, EGLConfig config, EGLint name)
{
    EGLint value = 0;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

// Sets an environment variable for the lifetime of the object only.
class TScopedEnvironment {
public:
    TScopedEnvironment(const char *name, const char *value) : name(name)
    {
        if (const char *old = std::getenv(name)) {
            hadValue = true;
            previous = old;
        }
        setenv(name, value, 1);
    }
    ~TScopedEnvironment()
    {
        if (hadValue)
            setenv(name, previous.c_str(), 1);
        else
            unsetenv(name);
    }

private:
    const char *name;
    bool hadValue = false;
    std::string previous;
};

// Mesa unloads its driver when the last display is terminated, and what the
// driver keeps for the life of the process then lies in a module that is
// gone: the leak checker reports it with no name to tell it from ours.
// Leak-checking builds keep every driver loaded once it has been.
void KeepDriversLoaded()
{
#ifdef BL_LEAK_CHECKED
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info *module, size_t, void *found) {
            const std::string name = module->dlpi_name;
            const std::string suffix = "_dri.so";
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                static_cast<std::vector<std::string> *>(found)->push_back(name);
            return 0;
        },
        &drivers);
    for (const std::string &driver : drivers)
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
#endif
}

void ReleaseOtherContexts(EGLContext ours)
{
    if (QOpenGLContext *qt = QOpenGLContext::currentContext())
        qt->doneCurrent();
    const EGLContext current = eglGetCurrentContext();
    if (current != EGL_NO_CONTEXT && current != ours)
        eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

}  // namespace

TGLContext::TGLContext(bool useAccelerator)
{
    InitializeDisplay(useAccelerator);
    try {
        if (!eglBindAPI(EGL_OPENGL_API))
            Fail("OpenGL is not available through EGL");
        const EGLConfig config = ChooseConfig();
        const EGLint surfaceAttributes[] = {EGL_WIDTH, SurfaceSide, EGL_HEIGHT, SurfaceSide, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
        if (surface == EGL_NO_SURFACE)
            Fail("Cannot create the 500 x 500 drawing surface");
        // The renderer uses the fixed-function pipeline: a compatibility
        // context, asked for explicitly where EGL knows profiles.
        const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, compatibility);
        if (context == EGL_NO_CONTEXT)
            context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        if (context == EGL_NO_CONTEXT)
            Fail("Cannot create the OpenGL rendering context");
        MakeCurrent();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_NORMALIZE);
        Release();
    } catch (...) {
        Destroy();
        throw;
    }
}

TGLContext::~TGLContext()
{
    Destroy();
}

void TGLContext::Destroy()
{
    if (display == EGL_NO_DISPLAY)
        return;
    if (current)
        Release();
    if (context != EGL_NO_CONTEXT)
        eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE)
        eglDestroySurface(display, surface);
    eglTerminate(display);
    display = EGL_NO_DISPLAY;
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

void TGLContext::InitializeDisplay(bool useAccelerator)
{
    const char *extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!extensions || !std::strstr(extensions, "EGL_MESA_platform_surfaceless"))
        throw ERenderError("The EGL library offers no surfaceless platform for off-screen rendering");
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        throw ERenderError("The EGL library cannot open platform displays");
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY)
        Fail("Cannot open the off-screen EGL display");
    // Mesa reads its software switch when the display is initialised.
    std::optional<TScopedEnvironment> software;
    if (!useAccelerator)
        software.emplace("LIBGL_ALWAYS_SOFTWARE", "1");
    if (!eglInitialize(display, nullptr, nullptr)) {
        display = EGL_NO_DISPLAY;
        Fail("Cannot initialise the off-screen EGL display");
    }
    KeepDriversLoaded();
}

// eglChooseConfig sorts deeper colour first, so the configurations are
// walked by hand: exactly 8 bits of red, green and blue, no multisampling,
// a pixel buffer and OpenGL; a depth of 32 bits, else 24; no alpha plane
// preferred, as the window formats the look was designed on had none.
EGLConfig TGLContext::ChooseConfig() const
{
    EGLint count = 0;
    eglGetConfigs(display, nullptr, 0, &count);
    std::vector<EGLConfig> configs(size_t(count > 0 ? count : 0));
    if (count > 0)
        eglGetConfigs(display, configs.data(), count, &count);

    EGLConfig best = nullptr;
    int bestRank = 0;
    for (EGLConfig config : configs) {
        auto is = [&](EGLint name, EGLint value) { return Attribute(display, config, name) == value; };
        auto has = [&](EGLint name, EGLint bit) { return (Attribute(display, config, name) & bit) != 0; };
        if (!is(EGL_RED_SIZE, 8) || !is(EGL_GREEN_SIZE, 8) || !is(EGL_BLUE_SIZE, 8) || !is(EGL_SAMPLES, 0) ||
            !is(EGL_SAMPLE_BUFFERS, 0) || !is(EGL_COLOR_BUFFER_TYPE, EGL_RGB_BUFFER) ||
            !has(EGL_SURFACE_TYPE, EGL_PBUFFER_BIT) || !has(EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT))
            continue;
        const int depthRank = is(EGL_DEPTH_SIZE, 32) ? 2 : is(EGL_DEPTH_SIZE, 24) ? 1 : 0;
        if (depthRank == 0)
            continue;
        const int rank = depthRank * 2 + (is(EGL_ALPHA_SIZE, 0) ? 1 : 0);
        if (rank > bestRank) {
            best = config;
            bestRank = rank;
        }
    }
    if (!best)
        throw ERenderError("No 24-bit OpenGL pixel format with a depth buffer is available");
    return best;
}

void TGLContext::MakeCurrent()
{
    ReleaseOtherContexts(context);
    if (!eglMakeCurrent(display, surface, surface, context))
        Fail("Cannot make the OpenGL rendering context current");
    current = true;
}

void TGLContext::Release()
{
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    current = false;
}
