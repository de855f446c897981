// norvex.scr's entry: Windows' saver arguments, the stored settings as the
// loop's cap and pieces (the frame rate, and the scene's own framebuffer for
// the scale and the samples, which the saver's window is made without), and
// the saver loop on the saver's window.
#include "shell/hosts/windows_saver.h"

#include "platform/win32/saver_settings.h"
#include "platform/win32/saver_window.h"
#include "shell/core/display_settings.h"
#include "shell/core/draw_frames.h"
#include "shell/core/options.h"
#include "shell/core/saver_arguments.h"
#include "shell/fps_overlay/frame_rate.h"
#include "shell/scene_target/scene_target.h"

static_assert(plat::SAVER_MAX_FPS_LIMIT == MAX_FPS_LIMIT, "the dialog takes the caps the demo takes");

namespace {

constexpr plat::SaverSettings kDefaults = {DEFAULT_MAX_FPS, 100, 0, false};

}  // namespace

int RunWindowsSaver(int argc, char** argv)
{
    const SaverCommand command = ParseSaverArguments(argc, argv);
    if (command.mode == SaverMode::Settings) {
        if (plat::EditSaverSettings(command.window, kDefaults)) return 0;
        plat::MessageBox("The settings dialog could not open.", "Error");
        return 1;
    }
    const plat::SaverSettings settings = plat::LoadSaverSettings(kDefaults);
    g_display.maxFps = settings.maxFps;
    FrameRateOverlay overlay;
    SceneTarget target;
    FramePieces pieces;
    if (settings.showFps) pieces.Add(&overlay);
    target.program = "norvex.scr";
    target.scale = static_cast<float>(settings.scalePercent) / 100.0f;
    target.samples = static_cast<int32_t>(settings.samples);
    if (target.scale < 1.0f || target.samples > 0) pieces.Add(&target);

    plat::SaverWindow host;
    if (!host.Attach(command.mode == SaverMode::Preview ? command.window : 0)) {
        // A preview pane that cannot be drawn into stays empty; a saver says why.
        if (command.mode == SaverMode::FullScreen) plat::MessageBox(host.problem, "Error");
        return 1;
    }
    const plat::HostEvent end = DrawFrames(host, pieces);
    host.Detach();
    return end == plat::HostEvent::Gone ? 1 : 0;
}

int main(int argc, char** argv) { return RunWindowsSaver(argc, argv); }
