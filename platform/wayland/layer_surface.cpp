// A layer surface on libwayland-client, wayland-egl and EGL. Frames are paced
// by the surface's frame callbacks with a swap interval of 0, so that a swap
// never blocks inside EGL and all waiting happens in one poll() that a stop
// signal also wakes. The compositor sends no callback for a surface it does
// not show (a wallpaper under a full-screen window): no frame is drawn then.
#include "platform/wayland/layer_surface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11_route/route.h"
#include "platform/quit_signals.h"
#include "platform/wayland/connection.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace plat {
namespace {

constexpr uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                               ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
constexpr uint32_t kCompositorVersion = 4;  // set_buffer_scale came with 3
constexpr uint32_t kOutputVersion = 4;      // scale and done came with 2, release with 3, name with 4
constexpr uint32_t kSeatVersion = 5;        // the input devices' release came with 3, the seat's with 5
constexpr int kMaxConfigs = 64;             // EGL configs looked through for an opaque one

}  // namespace

struct LayerState {
    LayerState(uint32_t outputName, LayerRole role, Renderer renderer);
    ~LayerState();
    LayerState(const LayerState&) = delete;
    LayerState& operator=(const LayerState&) = delete;

    LayerRole role = LayerRole::Wallpaper;
    Renderer renderer = Renderer::Fixed;
    const char* option = "--wallpaper";  // as the user typed it, for messages
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    uint32_t compositorVersion = 0;
    zwlr_layer_shell_v1* shell = nullptr;
    uint32_t shellVersion = 0;

    wl_output* output = nullptr;
    uint32_t outputName = 0;       // its registry name
    uint32_t outputVersion = 0;
    char label[64] = {};           // "HEADLESS-1" where the output says its name
    int scale = 1;                 // buffer pixels per surface unit, in force
    int pendingScale = 1;          // takes force at the output's next done
    int modeWidth = 0;             // pixels of the output's current mode
    int modeHeight = 0;

    wl_seat* seat = nullptr;       // the overlay's input; the wallpaper binds none
    uint32_t seatVersion = 0;
    wl_keyboard* keyboard = nullptr;
    wl_pointer* pointer = nullptr;
    wl_touch* touch = nullptr;
    wl_fixed_t pointerX = 0;       // where the pointer entered or last moved, surface units
    wl_fixed_t pointerY = 0;

    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    wl_callback* frame = nullptr;
    bool configured = false;       // the first configure came
    bool configurePending = false; // a configure not yet acknowledged
    uint32_t serial = 0;
    int configuredWidth = 0;       // surface units; 0: ours to choose
    int configuredHeight = 0;
    int appliedWidth = 0;          // surface units and scale of the buffer in use
    int appliedHeight = 0;
    int appliedScale = 0;
    bool frameDue = true;          // the compositor asked for a frame (the first is not asked for)
    bool sizeChanged = false;      // not yet reported by Poll

    bool dismissed = false;        // overlay input came
    bool closed = false;           // the compositor took the surface back
    bool outputRemoved = false;    // the output's global went away
    bool lost = false;             // the connection failed (said)

    wl_egl_window* eglWindow = nullptr;
    EGLDisplay egl = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface eglSurface = EGL_NO_SURFACE;
};

namespace {

LayerState& State(void* data) { return *static_cast<LayerState*>(data); }

// --- The output ---------------------------------------------------------------------
void OnOutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                      int32_t) {}
void OnOutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    State(data).modeWidth = width;
    State(data).modeHeight = height;
}
void OnOutputDone(void* data, wl_output*) { State(data).scale = State(data).pendingScale; }
void OnOutputScale(void* data, wl_output*, int32_t factor) { State(data).pendingScale = std::max(factor, 1); }
void OnOutputName(void* data, wl_output*, const char* name)
{
    std::snprintf(State(data).label, sizeof State(data).label, "%s", name);
}
void OnOutputDescription(void*, wl_output*, const char*) {}
constexpr wl_output_listener kOutputListener = {
    .geometry = OnOutputGeometry, .mode = OnOutputMode, .done = OnOutputDone,
    .scale = OnOutputScale, .name = OnOutputName, .description = OnOutputDescription,
};

// --- Overlay input: the first press, motion or touch ends the idle screen --------
// Entering the surface is no input: the compositor sends it when the surface
// appears under a resting pointer, with the keys that were already held.
void OnKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void OnKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void OnKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void OnKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) State(data).dismissed = true;  // not a held key's release
}
void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
constexpr wl_keyboard_listener kKeyboardListener = {
    .keymap = OnKeymap, .enter = OnKeyboardEnter, .leave = OnKeyboardLeave,
    .key = OnKey, .modifiers = OnModifiers, .repeat_info = OnRepeatInfo,
};

void OnPointerEnter(void* data, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t x, wl_fixed_t y)
{
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);  // no cursor over the idle screen
    State(data).pointerX = x;
    State(data).pointerY = y;
}
void OnPointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}
// A motion to where the pointer already is (a compositor re-sending the
// position after the surface appeared) is no movement.
void OnMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    LayerState& s = State(data);
    if (x != s.pointerX || y != s.pointerY) s.dismissed = true;
    s.pointerX = x;
    s.pointerY = y;
}
void OnButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (state == WL_POINTER_BUTTON_STATE_PRESSED) State(data).dismissed = true;
}
void OnAxis(void* data, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) { State(data).dismissed = true; }
void OnPointerFrame(void*, wl_pointer*) {}
void OnAxisSource(void*, wl_pointer*, uint32_t) {}
void OnAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void OnAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
constexpr wl_pointer_listener kPointerListener = {
    .enter = OnPointerEnter, .leave = OnPointerLeave, .motion = OnMotion, .button = OnButton,
    .axis = OnAxis, .frame = OnPointerFrame, .axis_source = OnAxisSource, .axis_stop = OnAxisStop,
    .axis_discrete = OnAxisDiscrete, .axis_value120 = nullptr,  // seat version 8: never bound
};

void OnTouchDown(void* data, wl_touch*, uint32_t, uint32_t, wl_surface*, int32_t, wl_fixed_t, wl_fixed_t)
{
    State(data).dismissed = true;
}
void OnTouchUp(void*, wl_touch*, uint32_t, uint32_t, int32_t) {}
void OnTouchMotion(void*, wl_touch*, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
void OnTouchFrame(void*, wl_touch*) {}
void OnTouchCancel(void*, wl_touch*) {}
constexpr wl_touch_listener kTouchListener = {
    .down = OnTouchDown, .up = OnTouchUp, .motion = OnTouchMotion, .frame = OnTouchFrame,
    .cancel = OnTouchCancel, .shape = nullptr, .orientation = nullptr,  // seat version 6: never bound
};

template <typename Device>
void Release(Device*& device, void (*release)(Device*), void (*destroy)(Device*), uint32_t seatVersion)
{
    if (!device) return;
    (seatVersion >= 3 ? release : destroy)(device);
    device = nullptr;
}

void OnCapabilities(void* data, wl_seat* seat, uint32_t capabilities)
{
    LayerState& s = State(data);
    const bool keys = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    const bool touch = capabilities & WL_SEAT_CAPABILITY_TOUCH;
    if (keys && !s.keyboard) wl_keyboard_add_listener(s.keyboard = wl_seat_get_keyboard(seat), &kKeyboardListener, &s);
    if (pointer && !s.pointer) wl_pointer_add_listener(s.pointer = wl_seat_get_pointer(seat), &kPointerListener, &s);
    if (touch && !s.touch) wl_touch_add_listener(s.touch = wl_seat_get_touch(seat), &kTouchListener, &s);
    if (!keys) Release(s.keyboard, wl_keyboard_release, wl_keyboard_destroy, s.seatVersion);
    if (!pointer) Release(s.pointer, wl_pointer_release, wl_pointer_destroy, s.seatVersion);
    if (!touch) Release(s.touch, wl_touch_release, wl_touch_destroy, s.seatVersion);
}
void OnSeatName(void*, wl_seat*, const char*) {}
constexpr wl_seat_listener kSeatListener = {.capabilities = OnCapabilities, .name = OnSeatName};

// --- The registry: the one output named, and what the surface needs -----------------
template <typename Proxy>
Proxy* Bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t version)
{
    return static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, version));
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    LayerState& s = State(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !s.compositor) {
        s.compositorVersion = std::min(version, kCompositorVersion);
        s.compositor = Bind<wl_compositor>(registry, name, wl_compositor_interface, s.compositorVersion);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 && !s.shell) {
        s.shellVersion = std::min(version, static_cast<uint32_t>(LAYER_SHELL_VERSION));
        s.shell = Bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, s.shellVersion);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 && name == s.outputName && !s.output) {
        s.outputVersion = std::min(version, kOutputVersion);
        s.output = Bind<wl_output>(registry, name, wl_output_interface, s.outputVersion);
        wl_output_add_listener(s.output, &kOutputListener, &s);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && s.role == LayerRole::Overlay && !s.seat) {
        s.seatVersion = std::min(version, kSeatVersion);
        s.seat = Bind<wl_seat>(registry, name, wl_seat_interface, s.seatVersion);
        wl_seat_add_listener(s.seat, &kSeatListener, &s);
    }
}
void OnGlobalRemove(void* data, wl_registry*, uint32_t name)
{
    if (name == State(data).outputName) State(data).outputRemoved = true;
}
constexpr wl_registry_listener kRegistryListener = {.global = OnGlobal, .global_remove = OnGlobalRemove};

// --- The layer surface and its frames ------------------------------------------------
void OnConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height)
{
    LayerState& s = State(data);
    s.serial = serial;
    s.configuredWidth = static_cast<int>(width);
    s.configuredHeight = static_cast<int>(height);
    s.configured = s.configurePending = true;
}
void OnClosed(void* data, zwlr_layer_surface_v1*) { State(data).closed = true; }
constexpr zwlr_layer_surface_v1_listener kLayerListener = {.configure = OnConfigure, .closed = OnClosed};

void OnFrameDone(void* data, wl_callback* callback, uint32_t)
{
    LayerState& s = State(data);
    wl_callback_destroy(callback);
    s.frame = nullptr;
    s.frameDue = true;
}
constexpr wl_callback_listener kFrameListener = {.done = OnFrameDone};

// Acknowledges a new configure and brings the buffer to the configured size
// at the output's scale (both take effect with the next commit, the swap).
// True when the buffer's size or scale changed.
bool ApplyConfigure(LayerState& s)
{
    if (s.configurePending) {
        zwlr_layer_surface_v1_ack_configure(s.layer, s.serial);
        s.configurePending = false;
    }
    // Anchored to every edge the compositor names the size; a zero is ours to
    // choose, and the output's own extent is the only sensible choice.
    const int scale = s.compositorVersion >= 3 ? s.scale : 1;
    const int width = s.configuredWidth > 0 ? s.configuredWidth : std::max(s.modeWidth / scale, 1);
    const int height = s.configuredHeight > 0 ? s.configuredHeight : std::max(s.modeHeight / scale, 1);
    if (width == s.appliedWidth && height == s.appliedHeight && scale == s.appliedScale) return false;
    s.appliedWidth = width;
    s.appliedHeight = height;
    s.appliedScale = scale;
    if (s.compositorVersion >= 3) wl_surface_set_buffer_scale(s.surface, scale);
    // Every pixel is drawn: the compositor need not draw what lies beneath.
    wl_region* opaque = wl_compositor_create_region(s.compositor);
    wl_region_add(opaque, 0, 0, width, height);
    wl_surface_set_opaque_region(s.surface, opaque);
    wl_region_destroy(opaque);
    if (s.eglWindow) wl_egl_window_resize(s.eglWindow, width * scale, height * scale, 0, 0);
    return true;
}

// An RGB config for OpenGL (or ES 3) windows with a depth buffer, without alpha
// where one is offered: an overlay with alpha would let the windows show through.
bool ChooseConfig(EGLDisplay egl, EGLint api, EGLConfig* chosen)
{
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, api,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                             EGL_DEPTH_SIZE, MIN_DEPTH_BITS, EGL_NONE};
    EGLConfig configs[kMaxConfigs];
    EGLint count = 0;
    if (!eglChooseConfig(egl, wanted, configs, kMaxConfigs, &count) || count == 0) return false;
    *chosen = configs[0];
    for (EGLint i = 0; i < count; ++i) {
        EGLint alpha = -1;
        if (eglGetConfigAttrib(egl, configs[i], EGL_ALPHA_SIZE, &alpha) && alpha == 0) {
            *chosen = configs[i];
            break;
        }
    }
    return true;
}

enum class Made { Current, NoConfig, NoContext, NoLayer };

// A context current on a window of the configured size, with the scene's
// calls routed for it: OpenGL ES 3 for the layer, or a compatibility one (the
// fixed-function pipeline). What failed is undone, for another try.
Made CurrentContext(LayerState& s, bool es)
{
    EGLConfig config = nullptr;
    if (!eglBindAPI(es ? EGL_OPENGL_ES_API : EGL_OPENGL_API) ||
        !ChooseConfig(s.egl, es ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT, &config))
        return Made::NoConfig;
    const EGLint es3[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
    const EGLint compatibility[] = {EGL_NONE};
    s.context = eglCreateContext(s.egl, config, EGL_NO_CONTEXT, es ? es3 : compatibility);
    if (!s.eglWindow)
        s.eglWindow = wl_egl_window_create(s.surface, s.appliedWidth * s.appliedScale, s.appliedHeight * s.appliedScale);
    if (s.context != EGL_NO_CONTEXT && s.eglWindow)
        s.eglSurface = eglCreatePlatformWindowSurface(s.egl, config, s.eglWindow, nullptr);
    if (s.eglSurface == EGL_NO_SURFACE || !eglMakeCurrent(s.egl, s.eglSurface, s.eglSurface, s.context)) {
        if (s.eglSurface != EGL_NO_SURFACE) eglDestroySurface(s.egl, s.eglSurface);
        if (s.context != EGL_NO_CONTEXT) eglDestroyContext(s.egl, s.context);
        s.eglSurface = EGL_NO_SURFACE;
        s.context = EGL_NO_CONTEXT;
        return Made::NoContext;
    }
    if (gl11route::Start(es)) return Made::Current;
    eglMakeCurrent(s.egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroySurface(s.egl, s.eglSurface);
    eglDestroyContext(s.egl, s.context);
    s.eglSurface = EGL_NO_SURFACE;
    s.context = EGL_NO_CONTEXT;
    return Made::NoLayer;
}

// --- Attaching, step by step ---------------------------------------------------------
// Each step says on stderr why it failed, except where the output went away
// meanwhile (no fault: Withdrawn) or a stop signal came (the loop's news).
enum class Step { Done, Failed, Withdrawn };

// The connection, and the globals bound through its registry: the first round
// trip lists them, the second brings the bound output's mode, scale and name.
Step Connect(LayerState& s)
{
    s.display = wl::Connect(s.option);
    if (!s.display) return Step::Failed;
    s.registry = wl_display_get_registry(s.display);
    wl_registry_add_listener(s.registry, &kRegistryListener, &s);
    if (wl_display_roundtrip(s.display) < 0 || wl_display_roundtrip(s.display) < 0) {
        wl::SayLost(s.display);
        return Step::Failed;
    }
    if (!s.output || s.outputRemoved) return Step::Withdrawn;
    if (!s.compositor || !s.shell) {
        std::fprintf(stderr, "norvex: %s needs %s, which this Wayland compositor does not offer\n", s.option,
                     s.compositor ? zwlr_layer_shell_v1_interface.name : wl_compositor_interface.name);
        return Step::Failed;
    }
    return Step::Done;
}

// The surface on the role's layer, over the whole output, committed without a
// buffer: that asks for the first configure.
Step CreateLayer(LayerState& s)
{
    const bool overlay = s.role == LayerRole::Overlay;
    s.surface = wl_compositor_create_surface(s.compositor);
    s.layer = zwlr_layer_shell_v1_get_layer_surface(
        s.shell, s.surface, s.output, overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND,
        overlay ? "screensaver" : "wallpaper");
    zwlr_layer_surface_v1_add_listener(s.layer, &kLayerListener, &s);
    zwlr_layer_surface_v1_set_anchor(s.layer, kAllEdges);
    // -1: the whole output, not the part that panels leave free.
    zwlr_layer_surface_v1_set_exclusive_zone(s.layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        s.layer, overlay ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                         : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    if (!overlay) {  // an empty input region: the pointer passes through to the desktop
        wl_region* none = wl_compositor_create_region(s.compositor);
        wl_surface_set_input_region(s.surface, none);
        wl_region_destroy(none);
    }
    wl_surface_commit(s.surface);
    return Step::Done;
}

// The first configure, which names the surface's size.
Step AwaitConfigure(LayerState& s)
{
    while (!s.configured) {
        if (s.closed || s.outputRemoved) return Step::Withdrawn;
        if (quit::Caught()) return Step::Failed;
        if (wl::WaitAndDispatch(s.display, -1) == wl::Wait::Lost) {
            wl::SayLost(s.display);
            return Step::Failed;
        }
    }
    ApplyConfigure(s);
    return Step::Done;
}

// EGL on the connection, and a context current on a window of the
// configured size: ES 3 for the layer where batched drawing is asked for and
// can be had, else a compatibility one (said once).
Step MakeContext(LayerState& s)
{
    s.egl = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, s.display, nullptr);
    if (s.egl == EGL_NO_DISPLAY || !eglInitialize(s.egl, nullptr, nullptr)) {
        std::fprintf(stderr, "norvex: EGL cannot draw on this Wayland display (error 0x%x)\n", eglGetError());
        return Step::Failed;
    }
    Made made = s.renderer == Renderer::Batched ? CurrentContext(s, true) : Made::NoConfig;
    if (s.renderer == Renderer::Batched && made != Made::Current)
        gl11route::SayFixed("norvex", made == Made::NoConfig    ? "EGL has no OpenGL ES 3 window configuration"
                                      : made == Made::NoContext ? "EGL refused an OpenGL ES 3 context"
                                                                : gl11::OpenError());
    if (made != Made::Current) made = CurrentContext(s, false);
    if (made == Made::NoConfig) {
        std::fprintf(stderr, "norvex: EGL offers no desktop OpenGL window with a %d-bit depth buffer here\n",
                     MIN_DEPTH_BITS);
        return Step::Failed;
    }
    if (made != Made::Current) {
        std::fprintf(stderr, "norvex: cannot make an OpenGL context on %s (EGL error 0x%x)\n", s.label,
                     eglGetError());
        return Step::Failed;
    }
    eglSwapInterval(s.egl, 0);  // the frame callbacks pace us; a swap must not block
    return Step::Done;
}

}  // namespace

LayerState::LayerState(uint32_t name, LayerRole chosen, Renderer drawnBy)
    : role(chosen), renderer(drawnBy), option(chosen == LayerRole::Overlay ? "--overlay" : "--wallpaper"), outputName(name)
{
    std::snprintf(label, sizeof label, "output %u", name);
}

// Everything Attach made, in reverse order; what it did not get is null.
LayerState::~LayerState()
{
    if (context != EGL_NO_CONTEXT) gl11route::Stop();
    if (egl != EGL_NO_DISPLAY) {
        eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (eglSurface != EGL_NO_SURFACE) eglDestroySurface(egl, eglSurface);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(egl, context);
        eglTerminate(egl);
        eglReleaseThread();
    }
    if (eglWindow) wl_egl_window_destroy(eglWindow);
    if (frame) wl_callback_destroy(frame);
    if (layer) zwlr_layer_surface_v1_destroy(layer);
    if (surface) wl_surface_destroy(surface);
    Release(keyboard, wl_keyboard_release, wl_keyboard_destroy, seatVersion);
    Release(pointer, wl_pointer_release, wl_pointer_destroy, seatVersion);
    Release(touch, wl_touch_release, wl_touch_destroy, seatVersion);
    if (seat) (seatVersion >= 5 ? wl_seat_release : wl_seat_destroy)(seat);
    if (output) (outputVersion >= 3 ? wl_output_release : wl_output_destroy)(output);
    if (shell && shellVersion >= 3) zwlr_layer_shell_v1_destroy(shell);
    else if (shell) wl_proxy_destroy(reinterpret_cast<wl_proxy*>(shell));  // no destroy request before 3
    if (compositor) wl_compositor_destroy(compositor);
    if (registry) wl_registry_destroy(registry);
    if (display) {
        wl_display_flush(display);
        wl_display_disconnect(display);
    }
}

LayerSurface::LayerSurface() = default;
LayerSurface::~LayerSurface() = default;

bool LayerSurface::Attach(uint32_t outputName, LayerRole role, Renderer renderer)
{
    Detach();
    withdrawn = false;
    state_ = std::make_unique<LayerState>(outputName, role, renderer);
    Step step = Step::Done;
    for (Step (*next)(LayerState&) : {Connect, CreateLayer, AwaitConfigure, MakeContext})
        if ((step = next(*state_)) != Step::Done) break;
    if (step != Step::Done) {
        withdrawn = step == Step::Withdrawn;
        Detach();
        return false;
    }
    width = state_->appliedWidth * state_->appliedScale;
    height = state_->appliedHeight * state_->appliedScale;
    return true;
}

HostEvent LayerSurface::Poll()
{
    if (!state_) return HostEvent::Gone;
    LayerState& s = *state_;
    for (;;) {
        if (quit::Caught()) return HostEvent::CloseRequest;
        if (s.lost) return HostEvent::Gone;
        if (s.dismissed) return HostEvent::Dismissed;
        if (s.closed || s.outputRemoved) return HostEvent::Withdrawn;
        if (ApplyConfigure(s)) {
            width = s.appliedWidth * s.appliedScale;
            height = s.appliedHeight * s.appliedScale;
            s.sizeChanged = true;
        }
        if (s.frameDue) {
            const bool resized = s.sizeChanged;
            s.sizeChanged = false;
            return resized ? HostEvent::Resized : HostEvent::Unchanged;
        }
        if (wl::WaitAndDispatch(s.display, -1) == wl::Wait::Lost) {
            wl::SayLost(s.display);
            s.lost = true;
        }
    }
}

void LayerSurface::Wait(uint32_t milliseconds)
{
    if (!state_ || state_->lost || quit::Caught()) return;
    if (wl::WaitAndDispatch(state_->display, static_cast<int>(milliseconds)) == wl::Wait::Lost) {
        wl::SayLost(state_->display);
        state_->lost = true;
    }
}

void LayerSurface::Swap()
{
    if (!state_ || state_->lost) return;
    LayerState& s = *state_;
    if (s.frame) wl_callback_destroy(s.frame);
    s.frame = wl_surface_frame(s.surface);  // part of the commit the swap makes
    wl_callback_add_listener(s.frame, &kFrameListener, &s);
    s.frameDue = false;
    gl11route::Flush();
    eglSwapBuffers(s.egl, s.eglSurface);
}

void LayerSurface::Detach()
{
    state_.reset();
    width = height = 0;
}

}  // namespace plat
