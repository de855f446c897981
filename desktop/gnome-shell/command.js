// How one monitor's renderer is started: where the norvex binary lies and the
// command line it gets. Shared by both entry forms; top-level `var`s are the
// interface (the 43 loader exports them, the module form's build adds `export`).

// Frames a second, render scale, edge smoothing and the frame-rate line come
// from the extension's settings; the rest is fixed per monitor.
var RENDERER_SEED_BASE = 1;  // monitor 0 flies seed 1, monitor 1 seed 2, ...

// A wallpaper draws the scene's calls batched into a few OpenGL ES 3 draws:
// the same picture at a fraction of the fixed function's cost.
var RENDERER_CHOICE = ['--renderer', 'batched'];

// The binary: the first norvex on PATH, else <prefix>/bin/norvex for an
// extension installed in <prefix>/share/gnome-shell/extensions/<uuid>.
// Returns null when there is neither.
var findNorvex = function (GLib, extensionPath) {
    const onPath = GLib.find_program_in_path('norvex');
    if (onPath)
        return onPath;
    const prefix = GLib.path_get_dirname(GLib.path_get_dirname(GLib.path_get_dirname(
        GLib.path_get_dirname(extensionPath))));
    const beside = GLib.build_filenamev([prefix, 'bin', 'norvex']);
    return GLib.file_test(beside, GLib.FileTest.IS_EXECUTABLE) ? beside : null;
};

// The whole command line of monitor `index`'s renderer, a window of
// width x height (its surface size); every flag is added here and nowhere else.
var rendererArguments = function (binary, index, width, height, settings) {
    const args = [binary, '--windowed', '--size', `${width}x${height}`,
        '--seed', String(RENDERER_SEED_BASE + index),
        '--max-fps', String(settings.get_int('max-fps')), ...RENDERER_CHOICE];
    const scale = settings.get_double('render-scale');
    if (scale < 1)
        args.push('--scale', scale.toFixed(2));
    const samples = settings.get_int('samples');
    if ([2, 4, 8].includes(samples))
        args.push('--samples', String(samples));
    if (settings.get_boolean('show-fps'))
        args.push('--fps');
    return args;
};

// What the renderer's environment needs to differ in: SDL's own Wayland
// driver on the socket the shell hands over (not XWayland), no client-side
// title bar in the picture, and no X display to fall back to.
var RENDERER_ENVIRONMENT = {
    SDL_VIDEODRIVER: 'wayland',
    SDL_VIDEO_WAYLAND_ALLOW_LIBDECOR: '0',
};
var RENDERER_UNSET = ['DISPLAY'];
