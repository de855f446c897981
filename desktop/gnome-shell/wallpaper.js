// The live wallpaper while the extension is enabled: one renderer per monitor,
// kept in step with the monitors and the settings, stopped while a full-screen
// or maximised window hides its monitor's desktop, started again when it dies
// (a few times a minute at most, then one notification).

var RESTARTS_PER_MINUTE = 3;  // a monitor's renderer dying more often than this is given up
var RESTART_DELAY_MS = 1000;  // from a renderer's end to its next start
const MINUTE_US = 60 * 1000 * 1000;

var Wallpaper = class {
    // env: {gi: {Clutter, Gio, GLib, Meta}, Main, settings, extensionPath,
    // shellMajor, core: {command, renderer}}, from the entry file of either form.
    constructor(env) {
        const {GLib} = env.gi;
        this._env = env;
        this._renderers = [];     // by monitor index; null where none runs
        this._deaths = [];        // by monitor index: monotonic times of its renderer's ends
        this._restarts = [];      // by monitor index: a pending restart's source
        this._signals = [];
        this._sources = {cover: 0, settings: 0};
        this._notified = false;
        env.binary = env.core.command.findNorvex(GLib, env.extensionPath);
        const cannot = !env.gi.Meta.is_wayland_compositor() ? 'It needs GNOME on Wayland.'
            : !env.binary ? 'There is no norvex program on PATH, nor in the bin folder of the prefix ' +
                'the extension is installed in.' : null;
        if (cannot) {
            env.Main.notify('norvex wallpaper', cannot);
            return;
        }
        this._watch();
        this._syncMonitors();
    }

    _watch() {
        const {Main, settings} = this._env;
        const cover = () => this._queue('cover', () => this._checkCover());
        this._connect(Main.layoutManager, 'monitors-changed', () => this._syncMonitors());
        this._connect(settings, 'changed', () => this._queue('settings', () => this._restartAll()));
        for (const signal of ['restacked', 'in-fullscreen-changed', 'window-entered-monitor', 'window-left-monitor'])
            this._connect(global.display, signal, cover);
        for (const signal of ['size-changed', 'minimize', 'unminimize', 'switch-workspace'])
            this._connect(global.window_manager, signal, cover);
        this._connect(global.workspace_manager, 'active-workspace-changed', cover);
    }

    // Keeps renderers whose monitor is unchanged; the others end, and new
    // monitors get one.
    _syncMonitors() {
        const monitors = this._env.Main.layoutManager.monitors;
        const count = Math.max(monitors.length, this._renderers.length);
        for (let index = 0; index < count; index++) {
            const renderer = this._renderers[index], monitor = monitors[index];
            if (renderer && monitor && sameGeometry(renderer.geometry, monitor))
                continue;
            renderer?.destroy();
            this._cancelRestart(index);
            this._renderers[index] = monitor ? this._spawn(monitor) : null;
        }
        this._renderers.length = monitors.length;
        this._queue('cover', () => this._checkCover());
    }

    _restartAll() {
        this._renderers.forEach(renderer => renderer?.destroy());
        this._renderers = [];
        this._deaths = [];
        this._syncMonitors();
    }

    _spawn(monitor) {
        const {Renderer} = this._env.core.renderer;
        return new Renderer(this._env, monitor, surfaceSize(this._env.gi.Gio, monitor),
            renderer => this._ended(renderer));
    }

    _ended(renderer) {
        const {GLib} = this._env.gi;
        const index = renderer.index;
        if (this._renderers[index] !== renderer)
            return;
        this._renderers[index] = null;
        const now = GLib.get_monotonic_time();
        const deaths = (this._deaths[index] ?? []).filter(time => now - time < MINUTE_US);
        deaths.push(now);
        this._deaths[index] = deaths;
        if (deaths.length > RESTARTS_PER_MINUTE) {
            this._giveUp(renderer, deaths.length);
            return;
        }
        log(`norvex wallpaper: the renderer of monitor ${index} ended (${renderer.howItEnded}); starting it again`);
        this._restarts[index] = GLib.timeout_add(GLib.PRIORITY_DEFAULT, RESTART_DELAY_MS, () => {
            this._restarts[index] = 0;
            const monitor = this._env.Main.layoutManager.monitors[index];
            if (monitor && !this._renderers[index]) {
                this._renderers[index] = this._spawn(monitor);
                this._queue('cover', () => this._checkCover());
            }
            return GLib.SOURCE_REMOVE;
        });
    }

    _giveUp(renderer, deaths) {
        const index = renderer.index;
        log(`norvex wallpaper: the renderer of monitor ${index} ended (${renderer.howItEnded}), ${deaths} times ` +
            'within a minute; not started again');
        if (this._notified)
            return;
        this._notified = true;
        this._env.Main.notify('norvex wallpaper stopped',
            `Its renderer on monitor ${index + 1} ended ${deaths} times within a minute. ` +
            'Turn the extension off and on again to retry.');
    }

    _cancelRestart(index) {
        if (this._restarts[index])
            this._env.gi.GLib.source_remove(this._restarts[index]);
        this._restarts[index] = 0;
    }

    // A monitor whose desktop a full-screen or maximised window hides (on the
    // active workspace, not minimised) gets its renderer stopped.
    _checkCover() {
        const {Meta} = this._env.gi;
        const workspace = global.workspace_manager.get_active_workspace();
        const ours = window => this._renderers.some(renderer => renderer?.owns(window));
        const covered = new Set(global.display.list_all_windows()
            .filter(window => !ours(window) && !window.minimized && window.located_on_workspace(workspace) &&
                window.showing_on_its_workspace() &&
                (window.is_fullscreen() || window.get_maximized() === Meta.MaximizeFlags.BOTH))
            .map(window => window.get_monitor()));
        this._renderers.forEach((renderer, index) => renderer?.setPaused(covered.has(index)));
    }

    // Runs work once when the main loop is next idle, however often it was asked for.
    _queue(name, work) {
        const {GLib} = this._env.gi;
        if (this._sources[name])
            return;
        this._sources[name] = GLib.idle_add(GLib.PRIORITY_DEFAULT, () => {
            this._sources[name] = 0;
            work();
            return GLib.SOURCE_REMOVE;
        });
    }

    _connect(object, signal, handler) {
        this._signals.push([object, object.connect(signal, handler)]);
    }

    destroy() {
        const {GLib} = this._env.gi;
        this._signals.splice(0).forEach(([object, id]) => object.disconnect(id));
        Object.values(this._sources).filter(id => id).forEach(id => GLib.source_remove(id));
        this._restarts.forEach((id, index) => this._cancelRestart(index));
        this._renderers.forEach(renderer => renderer?.destroy());
        this._renderers = [];
    }
};

function sameGeometry(a, b) {
    return a.x === b.x && a.y === b.y && a.width === b.width && a.height === b.height;
}

// The window's size in surface units, which norvex's --size takes: the
// monitor's stage size, divided by its scale where the stage counts physical
// pixels (the default layout; a scaled surface then gets all of them).
function surfaceSize(Gio, monitor) {
    const features = new Gio.Settings({schema_id: 'org.gnome.mutter'}).get_strv('experimental-features');
    const scale = features.includes('scale-monitor-framebuffer') ? 1 : monitor.geometry_scale;
    return {width: Math.round(monitor.width / scale), height: Math.round(monitor.height / scale)};
}
